# The package that deb_build.cmake wrote to DEB_DIR: the file name, the control fields, and the
# payload unpacked with dpkg -x into a scratch folder.
include(${CMAKE_CURRENT_LIST_DIR}/checktree.cmake)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    file(REMOVE_RECURSE "${SCRATCH}")
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${rc}):\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
run(${DPKG} --print-architecture)
set(arch "${out}")

set(errors "")
file(GLOB debs RELATIVE "${DEB_DIR}" "${DEB_DIR}/*.deb")
set(deb_name "calibrix_${VERSION}_${arch}.deb")
if(NOT debs STREQUAL deb_name)
  message(FATAL_ERROR "The package is wrong:\n  cpack wrote '${debs}', not ${deb_name}\n")
endif()
set(deb "${DEB_DIR}/${deb_name}")

foreach(field_value "Package=calibrix" "Version=${VERSION}" "Architecture=${arch}"
                    "Section=science")
  string(REPLACE "=" ";" pair "${field_value}")
  list(GET pair 0 field)
  list(GET pair 1 want)
  run(${DPKG_DEB} --field ${deb} ${field})
  if(NOT out STREQUAL want)
    string(APPEND errors "  ${field} is '${out}', not '${want}'\n")
  endif()
endforeach()
foreach(field Maintainer Homepage Description)
  run(${DPKG_DEB} --field ${deb} ${field})
  if(out STREQUAL "")
    string(APPEND errors "  ${field} is empty\n")
  endif()
endforeach()

# Depends: the Qt runtime (with the SVG plugins and the platform plugins), the fonts of the
# windows and xdg-open for the links, each named once.
run(${DPKG_DEB} --field ${deb} Depends)
set(depends "${out}")
string(REGEX REPLACE "\\([^)]*\\)" "" names "${depends}")
string(REGEX REPLACE "[ \n]" "" names "${names}")
string(REPLACE "," ";" names "${names}")
foreach(package libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins
                fonts-liberation2 xdg-utils)
  list(FIND names ${package} index)
  if(index EQUAL -1)
    string(APPEND errors "  Depends lacks ${package}: ${depends}\n")
  endif()
endforeach()
set(unique ${names})
list(REMOVE_DUPLICATES unique)
if(NOT unique STREQUAL names)
  string(APPEND errors "  Depends names a package twice: ${depends}\n")
endif()

run(${DPKG} -x ${deb} ${SCRATCH}/root)
check_tree("${SCRATCH}/root")
file(REMOVE_RECURSE "${SCRATCH}")

if(errors)
  message(FATAL_ERROR "The package is wrong:\n${errors}")
endif()
