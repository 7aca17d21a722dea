# Included by the toolchain files: cross-compiles the clock with the mingw-w64 compilers
# for the processor they set. The posix-thread compilers are needed: GoogleTest does not
# build with the win32 thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(PELIO_MINGW ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${PELIO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELIO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${PELIO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PELIO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs built here run under Wine through a wrapper that keeps ctest fast.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
