# Cross-compiles the same sources as a 64-bit Windows program, for testing on a host
# that runs no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
