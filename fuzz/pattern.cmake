add_executable(fuzz_pattern ${CMAKE_SOURCE_DIR}/fuzz/pattern.cpp)
target_compile_options(fuzz_pattern PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
target_link_options(fuzz_pattern PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_pattern PRIVATE vorlix_naming)
