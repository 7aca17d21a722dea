# The Windows build: the program, its Wine-hosted tests, the end-to-end driver and benchmarks.
enable_language(RC)

# Narrow literals become Shift-JIS so the ANSI calls get code page 932 text; sources stay UTF-8.
set(PELIO_CHARSET -finput-charset=UTF-8 -fexec-charset=CP932)
# No link time in the PE header: the same sources give the same exe, so a release can be
# rebuilt and checked byte for byte.
set(PELIO_LINK -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
set(PELIO_LIBS ddraw dsound dxguid winmm comdlg32 shell32 gdi32 user32 kernel32)

# Everything but WinMain, so the Wine-hosted tests link the same code the program runs.
add_library(pelio_core STATIC ${PELIO_PURE_SOURCES} ${PELIO_PLATFORM_SOURCES})
# The version resource's numbers, the About box's title line and the manifest's assembly
# version come from the project's version; windres finds both files through the include
# path. The About box writes the version short, "1.0", and adds the third number when it
# is not 0.
set(PELIO_ABOUT_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
if(NOT PROJECT_VERSION_PATCH EQUAL 0)
    string(APPEND PELIO_ABOUT_VERSION .${PROJECT_VERSION_PATCH})
endif()
configure_file(${CMAKE_SOURCE_DIR}/resources/pelio_version.h.in
    ${CMAKE_BINARY_DIR}/generated/pelio_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/pelioclock.manifest.in
    ${CMAKE_BINARY_DIR}/generated/pelioclock.manifest @ONLY)
target_include_directories(pelio_core PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_compile_options(pelio_core PUBLIC ${PELIO_CHARSET} PRIVATE ${PELIO_WARNINGS})
target_compile_definitions(pelio_core PUBLIC WIN32_LEAN_AND_MEAN STRICT _WIN32_WINNT=0x0601
    DIRECTSOUND_VERSION=0x0300 DIRECTDRAW_VERSION=0x0300)
target_link_libraries(pelio_core PUBLIC ${PELIO_LIBS})

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_executable(PelioClock WIN32 shell/winmain.cpp resources/pelioclock.rc)
# xp_tick_count.cpp keeps the 32-bit exe loadable on Windows XP; it must be linked as an
# object of the exe, ahead of the runtime's libraries, to stand in for their kernel32 import.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
    target_sources(PelioClock PRIVATE shell/xp_tick_count.cpp)
endif()
target_compile_options(PelioClock PRIVATE ${PELIO_WARNINGS})
target_link_libraries(PelioClock PRIVATE pelio_core)
target_link_options(PelioClock PRIVATE ${PELIO_LINK} -mwindows)
set_target_properties(PelioClock PROPERTIES OUTPUT_NAME PelioClock)

# The default alarm sound goes beside the exe.
add_custom_command(TARGET PelioClock POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/pelio.wav
            $<TARGET_FILE_DIR:PelioClock>/pelio.wav)

# What scripts/package.sh puts beside the exe in the release archive: the user's text, with
# the version and the CRLF line ends Notepad needs, and the version for the archive's name.
configure_file(${CMAKE_SOURCE_DIR}/resources/release/readme-ja.txt.in
    "${CMAKE_BINARY_DIR}/release/はじめにお読みください.txt" @ONLY NEWLINE_STYLE CRLF)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/release/version CONTENT "@PROJECT_VERSION@\n" @ONLY)

# windres does not report the files it embeds: without this a changed picture, icon or
# manifest would leave the old one in the exe and in every test program.
file(GLOB PELIO_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.bmp
    ${CMAKE_SOURCE_DIR}/resources/*.ico)
list(APPEND PELIO_RESOURCE_FILES ${CMAKE_BINARY_DIR}/generated/pelio_version.h
    ${CMAKE_BINARY_DIR}/generated/pelioclock.manifest)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/pelioclock.rc
    PROPERTIES OBJECT_DEPENDS "${PELIO_RESOURCE_FILES}")

# scripts/run.sh builds the program alone: no test toolchain needs to be installed for it.
# Without GoogleTest's sources, which only the tests need, they are left out.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
    set(PELIO_TESTS_DEFAULT ON)
else()
    set(PELIO_TESTS_DEFAULT OFF)
endif()
option(PELIO_TESTS "Build the Wine-hosted tests, the end-to-end driver and the benchmarks"
       ${PELIO_TESTS_DEFAULT})
if(NOT PELIO_TESTS)
    return()
endif()

add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_subdirectory(tests/platform)
add_subdirectory(tests/e2e)
add_subdirectory(bench/wine)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/pelioclock.rc
    DIRECTORY ${CMAKE_SOURCE_DIR}/tests/platform ${CMAKE_SOURCE_DIR}/bench/wine
    PROPERTIES OBJECT_DEPENDS "${PELIO_RESOURCE_FILES}")

# The footprint benchmark's floors: a window and a one-second timer, then the clock's shape
# and its way of copying a face to the screen, one step at a time.
add_executable(floor_window WIN32 bench/floor/floor_window.cpp bench/floor/floor.rc)
target_compile_options(floor_window PRIVATE ${PELIO_WARNINGS})
target_link_libraries(floor_window PRIVATE pelio_core)
target_link_options(floor_window PRIVATE ${PELIO_LINK} -mwindows)
set_source_files_properties(bench/floor/floor.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/IDB_FRAME.bmp)

# Three minutes of alarms on both players with the settings dialog reopened every minute.
get_filename_component(PELIO_SOAK_NATIVE ${CMAKE_BINARY_DIR}/../native ABSOLUTE)
get_filename_component(PELIO_SOAK_TEMPLATE ${CMAKE_BINARY_DIR}/../e2e-template ABSOLUTE)
add_test(NAME soak.alarms COMMAND bash ${CMAKE_SOURCE_DIR}/tests/soak/soak.sh 180)
set_tests_properties(soak.alarms PROPERTIES LABELS soak TIMEOUT 480
    ENVIRONMENT "PELIO_SOURCE_DIR=${CMAKE_SOURCE_DIR};PELIO_BUILD_DIR=${CMAKE_BINARY_DIR};PELIO_EXE=$<TARGET_FILE:PelioClock>;PELIO_DRIVER=$<TARGET_FILE:e2e_driver>;PELIO_NATIVE_BUILD=${PELIO_SOAK_NATIVE};E2E_RESULTS=${CMAKE_BINARY_DIR}/e2e-results;E2E_TEMPLATE=${PELIO_SOAK_TEMPLATE}")

# The release archive, made twice from the exe built here and compared.
get_filename_component(PELIO_BUILD_ROOT ${CMAKE_BINARY_DIR}/.. ABSOLUTE)
add_test(NAME release.archive COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/archive.sh)
set_tests_properties(release.archive PROPERTIES LABELS release TIMEOUT 300
    ENVIRONMENT "PELIO_SOURCE_DIR=${CMAKE_SOURCE_DIR};PELIO_BUILD=${PELIO_BUILD_ROOT}")
# The Debian package linted, installed into a scratch root, heard ringing and removed.
add_test(NAME release.deb COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/deb.sh)
set_tests_properties(release.deb PROPERTIES LABELS release TIMEOUT 180
    ENVIRONMENT "PELIO_SOURCE_DIR=${CMAKE_SOURCE_DIR};PELIO_BUILD_DIR=${CMAKE_BINARY_DIR};PELIO_DRIVER=$<TARGET_FILE:e2e_driver>;PELIO_NATIVE_BUILD=${PELIO_SOAK_NATIVE};E2E_RESULTS=${CMAKE_BINARY_DIR}/e2e-results;E2E_TEMPLATE=${PELIO_SOAK_TEMPLATE};E2E_DESKTOP_TEMPLATE=${PELIO_BUILD_ROOT}/desktop-template")
