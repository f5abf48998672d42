# `cpack -G DEB` once into DEB_DIR, for the package test and Debian's checker to read.
file(REMOVE_RECURSE "${DEB_DIR}")
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${DEB_DIR}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs "${DEB_DIR}/*.deb")
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  file(REMOVE_RECURSE "${DEB_DIR}")
  message(FATAL_ERROR "cpack failed (${rc}), or wrote '${debs}':\n${out}")
endif()
