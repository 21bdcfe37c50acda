add_executable(bench_media_facts ${CMAKE_SOURCE_DIR}/bench/media_facts.cpp)
target_link_libraries(bench_media_facts PRIVATE vorlix_metadata)
