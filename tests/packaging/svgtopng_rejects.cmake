# Runs the icon renderer on INPUT, which it must refuse: a non-zero exit with a message, and
# no OUTPUT written.
file(REMOVE "${OUTPUT}")
execute_process(COMMAND ${SVGTOPNG} ${INPUT} 32 ${OUTPUT}
                RESULT_VARIABLE rc ERROR_VARIABLE err)
set(written FALSE)
if(EXISTS "${OUTPUT}")
  set(written TRUE)
  file(REMOVE "${OUTPUT}")
endif()
if(NOT rc EQUAL 1 OR NOT err MATCHES "(^|\n)svgtopng: " OR written)
  message(FATAL_ERROR "svgtopng on ${INPUT}: exit '${rc}', output written: ${written}, "
                      "stderr: ${err}")
endif()
