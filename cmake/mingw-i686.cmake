# Cross-compiles the clock as the 32-bit Windows program it ships as.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
