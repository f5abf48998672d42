# `cpack -G DEB` into a scratch folder, then Debian's package checker on the result: no error
# and no warning. Informational tags are shown but allowed.
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${SCRATCH}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs "${SCRATCH}/*.deb")
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  file(REMOVE_RECURSE "${SCRATCH}")
  message(FATAL_ERROR "cpack failed (${rc}), or wrote '${debs}':\n${out}")
endif()

execute_process(COMMAND ${LINTIAN} --display-info --fail-on error,warning ${debs}
                RESULT_VARIABLE rc OUTPUT_VARIABLE tags ERROR_VARIABLE err)
file(REMOVE_RECURSE "${SCRATCH}")
# The tags are checked as well as the exit code, in case an older lintian ignores --fail-on.
if(NOT rc EQUAL 0 OR tags MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian rejects the package (exit ${rc}):\n${tags}\n${err}")
endif()
message(STATUS "lintian accepts the package:\n${tags}")
