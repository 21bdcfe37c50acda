# The release: `cmake --build build/win --target package` makes
# vorlix-VERSION-win64.zip, one folder with the program, its help page, its tooltip
# texts, a read-me (docs/README-release.txt, with Windows line ends) and the licence of
# PCRE2 and of TagLib, which are built into the program (their licences ask that binaries
# carry them).
install(TARGETS vorlix RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/src/tools/tooltip.txt ${CMAKE_SOURCE_DIR}/src/tools/vorlix.html
        DESTINATION .)
configure_file(${CMAKE_SOURCE_DIR}/docs/README-release.txt ${CMAKE_BINARY_DIR}/package/README.txt
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
configure_file(${PCRE2_SOURCE}/LICENCE ${CMAKE_BINARY_DIR}/package/pcre2-licence.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/pcre2-licence.txt DESTINATION .)
# TagLib is linked in under the MPL, which asks that its licence go with the program.
configure_file(${TAGLIB_SOURCE}/COPYING.MPL ${CMAKE_BINARY_DIR}/package/taglib-licence.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/package/taglib-licence.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vorlix)
set(CPACK_PACKAGE_VENDOR Vorlix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(VORLIX_PACKAGE vorlix-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_FILE_NAME ${VORLIX_PACKAGE})
set(CPACK_STRIP_FILES ON)
include(CPack)

# The zip holds exactly the release's files.
add_test(NAME PackageHoldsTheRelease
         COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DZIP=${VORLIX_PACKAGE}.zip
                 -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
set_tests_properties(PackageHoldsTheRelease PROPERTIES TIMEOUT 300)
