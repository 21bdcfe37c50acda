# Times the full preview of 100,000 selected files until its window is shown:
# a MinGW program, run under Wine.
if(WIN32)
  add_executable(bench_full_preview ${CMAKE_SOURCE_DIR}/bench/full_preview.cpp ${VORLIX_RESOURCES})
  target_link_libraries(bench_full_preview PRIVATE vorlix_ui)
endif()
