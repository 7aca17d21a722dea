set(SHELL_PURE_SOURCES shell/trig.cpp)
set(SHELL_PLATFORM_SOURCES shell/startup.cpp shell/wndproc.cpp shell/menu.cpp)
