# Install rules and the .deb and .tar.gz packages. Both packages hold the
# same files: the stripped executable, the man page and, in the package's
# documentation folder, the copyright (the licence, in Debian's
# machine-readable format) and the changelog, the last two compressed as
# Debian wants them. Time stamps come from the commit, so that two builds of
# one commit give the same bytes (cmake/package_time.cmake).
include(GNUInstallDirs)

set(TAVU_PACKAGE_NAME html-tavu)
set(TAVU_CONTACT "html_tavu developers <html-tavu@users.noreply.invalid>")
set(TAVU_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${TAVU_PACKAGE_NAME})

install(TARGETS html_tavu RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (cmake --install --strip, and the packages) also drops
# the compilers' names and versions, the .comment section, as Debian's own
# packages do.
if(CMAKE_OBJCOPY)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/html_tavu\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endif()

# The licence as the body of a copyright file: each line indented by one
# space, an empty line written as " ."
file(READ ${PROJECT_SOURCE_DIR}/LICENSE TAVU_LICENSE_TEXT)
string(STRIP "${TAVU_LICENSE_TEXT}" TAVU_LICENSE_TEXT)
string(REPLACE "\n\n" "\n.\n" TAVU_LICENSE_TEXT "${TAVU_LICENSE_TEXT}")
string(REPLACE "\n" "\n " TAVU_LICENSE_TEXT " ${TAVU_LICENSE_TEXT}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${TAVU_DOC_DIR})

# Debian wants the man page and the changelog compressed with gzip -9n (no
# name, no time stamp). Where gzip is missing they are installed as they are.
find_program(TAVU_GZIP gzip)
function(tavu_install_compressed source destination)
  get_filename_component(name ${source} NAME)
  if(TAVU_GZIP)
    set(copy ${PROJECT_BINARY_DIR}/compressed/${name})
    add_custom_command(OUTPUT ${copy}.gz
                       COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                       COMMAND ${TAVU_GZIP} -9nf ${copy}
                       DEPENDS ${source}
                       COMMENT "Compressing ${name}"
                       VERBATIM)
    add_custom_target(compress_${name} ALL DEPENDS ${copy}.gz)
    install(FILES ${copy}.gz DESTINATION ${destination})
  else()
    install(FILES ${source} DESTINATION ${destination})
  endif()
endfunction()
tavu_install_compressed(${PROJECT_SOURCE_DIR}/docs/html_tavu.1 ${CMAKE_INSTALL_MANDIR}/man1)
tavu_install_compressed(${PROJECT_SOURCE_DIR}/packaging/changelog ${TAVU_DOC_DIR})

set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGE_NAME ${TAVU_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "html_tavu developers")
set(CPACK_PACKAGE_CONTACT ${TAVU_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML table of numeric character references")
set(CPACK_PACKAGE_DESCRIPTION
    "html_tavu First Last writes one HTML page, tavu.html, into the current
folder: a bordered table of numeric character references (&#65; and so
on), twenty cells to a row, for the code points from First on. Opened in a
browser, the page shows how the browser and its fonts draw each code point
of the range: handy for checking fonts, encodings and the handling of odd
code points such as controls, surrogates and noncharacters.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY html_tavu)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(TAVU_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TAVU_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
endif()
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_time.cmake)
set(CPACK_TAVU_SOURCE_DIR ${PROJECT_SOURCE_DIR})
include(CPack)
