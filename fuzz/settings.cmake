add_executable(fuzz_settings ${CMAKE_SOURCE_DIR}/fuzz/settings.cpp)
target_compile_options(fuzz_settings PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_settings PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_settings PRIVATE vorlix_settings_core)
# Coverage of the library itself guides the fuzzer (this build is for fuzzing only).
target_compile_options(vorlix_settings_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
