add_executable(fuzz_tooltip ${CMAKE_SOURCE_DIR}/fuzz/tooltip.cpp)
target_compile_options(fuzz_tooltip PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
target_link_options(fuzz_tooltip PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_tooltip PRIVATE vorlix_tools_core)
# Coverage of the library itself guides the fuzzer (this build is for fuzzing only).
target_compile_options(vorlix_tools_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
