# Debian's package checker on the package that deb_build.cmake wrote to DEB_DIR: no error and
# no warning. Informational tags are shown but allowed.
file(GLOB debs "${DEB_DIR}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "Expected one package in ${DEB_DIR}, found '${debs}'")
endif()

execute_process(COMMAND ${LINTIAN} --display-info --fail-on error,warning ${debs}
                RESULT_VARIABLE rc OUTPUT_VARIABLE tags ERROR_VARIABLE err)
# The tags are checked as well as the exit code, in case an older lintian ignores --fail-on.
if(NOT rc EQUAL 0 OR tags MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian rejects the package (exit ${rc}):\n${tags}\n${err}")
endif()
message(STATUS "lintian accepts the package:\n${tags}")
