# The literal selection sort of the tests is timed beside the fast one.
add_executable(bench_sort_orders ${CMAKE_SOURCE_DIR}/bench/sort_orders.cpp
                                 ${CMAKE_SOURCE_DIR}/tests/browse/reference_sort.cpp)
target_include_directories(bench_sort_orders PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_sort_orders PRIVATE vorlix_browse_core)
