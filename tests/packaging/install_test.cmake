# `cmake --install` of the build into a scratch DESTDIR, checked file by file.
include(${CMAKE_CURRENT_LIST_DIR}/checktree.cmake)

file(REMOVE_RECURSE "${SCRATCH}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${SCRATCH}/root
          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
set(errors "")
if(rc EQUAL 0)
  check_tree("${SCRATCH}/root")
else()
  set(errors "  cmake --install failed:\n${out}\n")
endif()
file(REMOVE_RECURSE "${SCRATCH}")

if(errors)
  message(FATAL_ERROR "The installed tree is wrong:\n${errors}")
endif()
