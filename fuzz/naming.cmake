add_executable(fuzz_naming ${CMAKE_SOURCE_DIR}/fuzz/naming.cpp)
target_compile_options(fuzz_naming PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_naming PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_naming PRIVATE vorlix_naming)
# Instrument the library too: coverage guides the fuzzer, and the sanitizers must see
# its own code (this build is for fuzzing only).
target_compile_options(vorlix_naming PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
target_compile_options(fuzz_naming PRIVATE -fno-sanitize-recover=undefined)
