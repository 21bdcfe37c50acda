add_executable(bench_naming ${CMAKE_SOURCE_DIR}/bench/naming.cpp)
target_link_libraries(bench_naming PRIVATE vorlix_naming vorlix_rename_core)
