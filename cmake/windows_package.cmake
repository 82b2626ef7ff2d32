# The Windows package: `cpack` in the Windows build folder makes a .zip that
# holds html_tavu.exe, the licence and a short note, both text files with
# CR LF line ends so that any Windows editor shows them right. Time stamps
# come from the commit, so that two builds of one commit give the same bytes
# (cmake/package_time.cmake).
install(TARGETS html_tavu RUNTIME DESTINATION .)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt @ONLY
               NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows-readme.txt.in
               ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/LICENSE.txt ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME html-tavu)
set(CPACK_PACKAGE_VENDOR "html_tavu developers")
set(CPACK_SYSTEM_NAME win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_time.cmake)
set(CPACK_TAVU_SOURCE_DIR ${PROJECT_SOURCE_DIR})
include(CPack)
