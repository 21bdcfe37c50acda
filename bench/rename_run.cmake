# Times a rename run over 10,000 files against a bare loop of the platform's move over
# the same files, in the same Wine prefix: a MinGW program, run under Wine.
if(WIN32)
  add_executable(bench_rename_run ${CMAKE_SOURCE_DIR}/bench/rename_run.cpp ${VORLIX_RESOURCES})
  target_link_libraries(bench_rename_run PRIVATE vorlix_ui ntdll)
endif()
