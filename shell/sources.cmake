set(SHELL_PURE_SOURCES shell/trig.cpp shell/placement.cpp shell/folders.cpp shell/tick_timing.cpp)
set(SHELL_PLATFORM_SOURCES shell/startup.cpp shell/wndproc.cpp shell/menu.cpp shell/place.cpp
    shell/working_folder.cpp)
