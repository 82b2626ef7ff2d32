# Read by cpack before it makes each package. Unless SOURCE_DATE_EPOCH is set
# already, it becomes the time of the commit the sources come from, so every
# time stamp in the packages is that of the commit, not of the build.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  find_program(TAVU_GIT git)
  if(TAVU_GIT)
    execute_process(COMMAND ${TAVU_GIT} log -1 --format=%ct
                    WORKING_DIRECTORY ${CPACK_TAVU_SOURCE_DIR}
                    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_status ERROR_QUIET)
  endif()
  if(TAVU_GIT AND git_status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  else()
    message(WARNING "not a git checkout: the packages carry the build time")
  endif()
endif()
