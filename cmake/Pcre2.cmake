# The regular expression library of "Regular expression" in the advanced replace:
# PCRE2, 8-bit code units (the program's text is UTF-8), as the target vorlix_pcre2.
#
# Natively it is Debian's libpcre2-dev. Debian has no MinGW build of it, so the Windows
# build takes Debian's own source package of the same version (fetched through a private
# source list under the build folder, so the system's apt lists stay untouched) and
# builds it as a static library into the program. The source is fetched and unpacked
# once per build folder; later configures and builds find it there.
if(NOT WIN32)
  find_path(PCRE2_INCLUDE_DIR pcre2.h REQUIRED)
  find_library(PCRE2_LIBRARY pcre2-8 REQUIRED)
  add_library(vorlix_pcre2 INTERFACE)
  target_include_directories(vorlix_pcre2 INTERFACE ${PCRE2_INCLUDE_DIR})
  target_link_libraries(vorlix_pcre2 INTERFACE ${PCRE2_LIBRARY})
  target_compile_definitions(vorlix_pcre2 INTERFACE PCRE2_CODE_UNIT_WIDTH=8)
  return()
endif()

set(PCRE2_WORK ${CMAKE_BINARY_DIR}/pcre2)
set(PCRE2_SOURCE ${PCRE2_WORK}/source)
include(${CMAKE_CURRENT_LIST_DIR}/DebianSource.cmake)
fetch_debian_source(pcre2 ${PCRE2_WORK} ${PCRE2_SOURCE})

set(BUILD_SHARED_LIBS OFF CACHE BOOL "" FORCE)
set(BUILD_STATIC_LIBS ON CACHE BOOL "" FORCE)
set(PCRE2_BUILD_PCRE2_8 ON CACHE BOOL "" FORCE)
set(PCRE2_BUILD_PCRE2_16 OFF CACHE BOOL "" FORCE)
set(PCRE2_BUILD_PCRE2_32 OFF CACHE BOOL "" FORCE)
set(PCRE2_SUPPORT_UNICODE ON CACHE BOOL "" FORCE)
set(PCRE2_SUPPORT_JIT OFF CACHE BOOL "" FORCE)
set(PCRE2_BUILD_PCRE2GREP OFF CACHE BOOL "" FORCE)
set(PCRE2_BUILD_TESTS OFF CACHE BOOL "" FORCE)
# Its own compile options, not this project's warnings.
get_directory_property(saved_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${PCRE2_SOURCE} ${PCRE2_WORK}/build EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${saved_options}")
add_library(vorlix_pcre2 INTERFACE)
target_link_libraries(vorlix_pcre2 INTERFACE pcre2-8-static)
# pcre2-8-static brings its header's folder and PCRE2_STATIC with it.
target_compile_definitions(vorlix_pcre2 INTERFACE PCRE2_CODE_UNIT_WIDTH=8)
