# vorlix_unit_test(NAME SOURCES ... LIBS ...)
#   A GoogleTest program for portable code: built natively (run with sanitizers)
#   and with MinGW (run under Wine, so the C runtime of the program takes part).
# vorlix_ui_test(NAME SOURCES ... LIBS ...)
#   A GoogleTest program that creates the real dialogs: MinGW build only, run under Wine.
function(vorlix_unit_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                       PROPERTIES TIMEOUT 120)
endfunction()

function(vorlix_ui_test name)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES} ${VORLIX_RESOURCES})
  target_link_libraries(${name} PRIVATE vorlix_ui vorlix_testkit ${A_LIBS} GTest::gtest)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                       PROPERTIES TIMEOUT 120)
endfunction()
