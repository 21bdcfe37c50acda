# Debian's own source package of PACKAGE, unpacked with its Debian patches into SOURCE,
# for the libraries Debian has no MinGW build of. It is fetched through a private source
# list under WORK, so the system's apt lists stay untouched, from the archive of the
# system's own bookworm entry; nothing is done when SOURCE is already there.
function(fetch_debian_source package work source)
  if(EXISTS ${source}/CMakeLists.txt)
    return()
  endif()
  message(STATUS "Fetching Debian's source package of ${package}")
  # The archive of the system's own bookworm entry (deb822 list, else the one-line list).
  set(sources "")
  foreach(list /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list)
    if(EXISTS ${list})
      file(READ ${list} text)
      string(APPEND sources "${text}\n")
    endif()
  endforeach()
  string(REGEX MATCH "URIs: *([^\r\n ]+)[^\r\n]*[\r\n]+Suites: *bookworm[ \r\n]" found "${sources}")
  set(uri ${CMAKE_MATCH_1})
  if(NOT uri)
    string(REGEX MATCH "\ndeb +(\\[[^]]*\\] +)?([^ \r\n]+) +bookworm " found "\n${sources}")
    set(uri ${CMAKE_MATCH_2})
  endif()
  if(NOT uri)
    message(FATAL_ERROR "No bookworm entry in the system's apt sources to fetch ${package}'s source from")
  endif()
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work}/lists/partial ${work}/fetch)
  file(WRITE ${work}/sources.list "deb-src ${uri} bookworm main\n")
  set(apt apt-get -q -o Dir::Etc::SourceList=${work}/sources.list -o Dir::Etc::SourceParts=/dev/null
          -o Dir::State::Lists=${work}/lists)
  execute_process(COMMAND ${apt} update RESULT_VARIABLE rc OUTPUT_QUIET)
  if(rc EQUAL 0)
    execute_process(COMMAND ${apt} source --download-only ${package} WORKING_DIRECTORY ${work}/fetch
                    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  endif()
  file(GLOB dsc ${work}/fetch/${package}_*.dsc)
  if(NOT rc EQUAL 0 OR NOT dsc)
    message(FATAL_ERROR "Could not fetch the source package of ${package} from ${uri}")
  endif()
  # Unpacked with Debian's patches applied, as Debian builds it.
  execute_process(COMMAND dpkg-source -x ${dsc} ${source} WORKING_DIRECTORY ${work}/fetch
                  RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-source could not unpack ${dsc}")
  endif()
endfunction()
