# The tag library of the song fields: TagLib through its C++ API, as the target
# vorlix_taglib.
#
# Natively it is Debian's libtag1-dev. Debian has no MinGW build of it, so the Windows
# build takes Debian's own source package of the same version and builds it once per
# build folder, at the first configure, as a static library without zlib (only
# compressed ID3v2 frames would need it; such a frame gives no value). It is linked
# into the program under the MPL, one of the two licences TagLib is offered under.
if(NOT WIN32)
  find_path(TAGLIB_INCLUDE_DIR fileref.h PATH_SUFFIXES taglib REQUIRED)
  find_library(TAGLIB_LIBRARY tag REQUIRED)
  add_library(vorlix_taglib INTERFACE)
  target_include_directories(vorlix_taglib SYSTEM INTERFACE ${TAGLIB_INCLUDE_DIR})
  target_link_libraries(vorlix_taglib INTERFACE ${TAGLIB_LIBRARY})
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/DebianSource.cmake)
set(TAGLIB_WORK ${CMAKE_BINARY_DIR}/taglib)
set(TAGLIB_SOURCE ${TAGLIB_WORK}/source)
set(TAGLIB_INSTALL ${TAGLIB_WORK}/install)
fetch_debian_source(taglib ${TAGLIB_WORK} ${TAGLIB_SOURCE})
if(NOT EXISTS ${TAGLIB_INSTALL}/lib/libtag.a)
  message(STATUS "Building TagLib for Windows (once per build folder)")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${TAGLIB_SOURCE} -B ${TAGLIB_WORK}/build
            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
            -DCMAKE_INSTALL_PREFIX=${TAGLIB_INSTALL} -DBUILD_SHARED_LIBS=OFF -DWITH_ZLIB=OFF
            -DBUILD_BINDINGS=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF
            # Debian's patches take UTF8-CPP from its own header-only package.
            "-DCMAKE_CXX_FLAGS=-isystem /usr/include/utf8cpp"
    RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(rc EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${TAGLIB_WORK}/build --target install -j2
                    RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
  endif()
  if(NOT rc EQUAL 0)
    string(REGEX MATCH "[^\n]*error[^\n]*" first "${log}")
    message(FATAL_ERROR "TagLib could not be built for Windows in ${TAGLIB_WORK}/build: ${first}")
  endif()
endif()
add_library(vorlix_taglib INTERFACE)
target_include_directories(vorlix_taglib SYSTEM INTERFACE ${TAGLIB_INSTALL}/include/taglib)
target_link_libraries(vorlix_taglib INTERFACE ${TAGLIB_INSTALL}/lib/libtag.a)
target_compile_definitions(vorlix_taglib INTERFACE TAGLIB_STATIC)
