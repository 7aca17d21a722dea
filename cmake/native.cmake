# The native build: logic over memory, tested with AddressSanitizer and UBSan, and benchmarked.
set(PELIO_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(pelio_pure STATIC ${PELIO_PURE_SOURCES})
target_include_directories(pelio_pure PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(pelio_pure PRIVATE ${PELIO_WARNINGS})

add_library(pelio_pure_san STATIC ${PELIO_PURE_SOURCES})
target_include_directories(pelio_pure_san PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(pelio_pure_san PRIVATE ${PELIO_WARNINGS} PUBLIC ${PELIO_SANITIZE} -g)
target_link_options(pelio_pure_san PUBLIC ${PELIO_SANITIZE})

find_package(GTest REQUIRED)
add_subdirectory(tests/unit)
add_subdirectory(bench/native)
add_subdirectory(tests/tools)

# Settings values and list lines under libFuzzer, for a bounded time.
find_program(PELIO_CLANGXX clang++)
if(PELIO_CLANGXX)
    set(PELIO_FUZZ_SECONDS 60 CACHE STRING "Seconds each fuzz target runs under ctest")
    add_test(NAME fuzz.settings_and_list_lines
             COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run.sh ${CMAKE_BINARY_DIR}/fuzz ${PELIO_FUZZ_SECONDS})
    set_tests_properties(fuzz.settings_and_list_lines PROPERTIES LABELS fuzz TIMEOUT 600)
endif()

# Every link and picture in the README and docs/ resolves, and the face pictures still
# show what the artwork and the hand drawing make (see the script for why only these).
add_test(NAME docs.pictures_and_links
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/docs/check_docs.py ${CMAKE_SOURCE_DIR}
                 $<TARGET_FILE:face_check>)
set_tests_properties(docs.pictures_and_links PROPERTIES LABELS docs TIMEOUT 60)

# The scripts' -h, --help and unknown options, with installing stubbed out: seconds.
add_test(NAME scripts.options COMMAND bash ${CMAKE_SOURCE_DIR}/tests/scripts/options.sh)
set_tests_properties(scripts.options PROPERTIES LABELS scripts TIMEOUT 120)
