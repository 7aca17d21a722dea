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
