# Checks that the baseline writer makes exactly the tool's bytes, so that the
# benchmark compares like with like. Ranges cross digit-count boundaries and
# row starts of several remainders modulo 20.
foreach(range "0;2000" "95;1234" "99990;100500" "999999000;1000001000" "4294966000;4294967295")
  list(GET range 0 first)
  list(GET range 1 last)
  foreach(program tool baseline)
    file(REMOVE_RECURSE ${WORK_DIR}/${program})
    file(MAKE_DIRECTORY ${WORK_DIR}/${program})
  endforeach()
  execute_process(COMMAND ${TOOL} ${first} ${last} WORKING_DIRECTORY ${WORK_DIR}/tool
                  RESULT_VARIABLE tool_status)
  execute_process(COMMAND ${BASELINE} ${first} ${last} WORKING_DIRECTORY ${WORK_DIR}/baseline
                  RESULT_VARIABLE baseline_status)
  if(NOT tool_status EQUAL 0 OR NOT baseline_status EQUAL 0)
    message(FATAL_ERROR "${first} ${last}: exit statuses ${tool_status} and ${baseline_status}")
  endif()
  file(SHA256 ${WORK_DIR}/tool/tavu.html tool_hash)
  file(SHA256 ${WORK_DIR}/baseline/tavu.html baseline_hash)
  file(SIZE ${WORK_DIR}/tool/tavu.html size)
  if(NOT tool_hash STREQUAL baseline_hash)
    message(FATAL_ERROR "${first} ${last}: the baseline's page differs from the tool's")
  endif()
  message(STATUS "${first} ${last}: same ${size} bytes")
endforeach()
