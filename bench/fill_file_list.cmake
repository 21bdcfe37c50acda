# Times the main window's file list fill in every order on 10,000 and 100,000
# files with the real list box: a MinGW program, run under Wine.
if(WIN32)
  add_executable(bench_fill_file_list ${CMAKE_SOURCE_DIR}/bench/fill_file_list.cpp ${VORLIX_RESOURCES})
  target_link_libraries(bench_fill_file_list PRIVATE vorlix_ui)
endif()
