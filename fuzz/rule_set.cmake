add_executable(fuzz_rule_set ${CMAKE_SOURCE_DIR}/fuzz/rule_set.cpp)
target_compile_options(fuzz_rule_set PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_rule_set PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_rule_set PRIVATE vorlix_settings_core)
