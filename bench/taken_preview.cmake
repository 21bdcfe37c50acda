# Times the full preview of photos named by their date taken: a MinGW program, run
# under Wine by bench/taken_preview.sh, which makes the photos.
if(WIN32)
  add_executable(bench_taken_preview ${CMAKE_SOURCE_DIR}/bench/taken_preview.cpp ${VORLIX_RESOURCES})
  target_link_libraries(bench_taken_preview PRIVATE vorlix_ui)
endif()
