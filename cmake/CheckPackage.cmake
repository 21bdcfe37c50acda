# Builds the release zip in BUILD and fails unless ZIP holds exactly the release's
# files, in a folder named after the zip, the program not empty.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target package
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the package failed:\n${out}")
endif()

set(unpacked ${BUILD}/package-check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xvf ${BUILD}/${ZIP} WORKING_DIRECTORY ${unpacked}
                RESULT_VARIABLE rc OUTPUT_VARIABLE listing ERROR_VARIABLE listing)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ZIP}: ${listing}")
endif()
message(STATUS "${ZIP}:\n${listing}")

string(REGEX REPLACE "\\.zip$" "" folder "${ZIP}")
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${unpacked} ${unpacked}/*)
list(SORT files)
set(expected ${folder}/README.txt ${folder}/pcre2-licence.txt ${folder}/taglib-licence.txt ${folder}/tooltip.txt
             ${folder}/vorlix.exe
             ${folder}/vorlix.html)
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds\n  ${files}\nnot\n  ${expected}")
endif()
file(SIZE ${unpacked}/${folder}/vorlix.exe exeSize)
if(exeSize LESS 10000)
  message(FATAL_ERROR "vorlix.exe in ${ZIP} has ${exeSize} bytes")
endif()
file(REMOVE_RECURSE ${unpacked})
