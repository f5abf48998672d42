# The Windows program: a windowed program with its icon and version in the .exe, statically
# linked (see calibrix_target_defaults). Included from the top-level CMakeLists.txt on Windows.

if(NOT CALIBRIX_BUILD_APP)
  return()
endif()

enable_language(RC)

set(CALIBRIX_ICON_SVG ${PROJECT_SOURCE_DIR}/ui/resources/calibrix.svg)

set_target_properties(calibrix PROPERTIES WIN32_EXECUTABLE ON)

# The .ico from the artwork, at the sizes Explorer, the taskbar and the Start menu ask for.
set(ico_sizes 16 24 32 48 64 256)
set(ico_dir ${PROJECT_BINARY_DIR}/windows/icon)
set(ico ${PROJECT_BINARY_DIR}/windows/calibrix.ico)
set(ico_pngs)
foreach(size IN LISTS ico_sizes)
  if(size EQUAL 256)
    # Kept as PNG inside the .ico, as Windows reads it: a quarter of the size.
    list(APPEND ico_pngs --raw=${ico_dir}/${size}.png)
  else()
    list(APPEND ico_pngs ${ico_dir}/${size}.png)
  endif()
endforeach()
add_custom_command(
  OUTPUT ${ico}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ico_dir}
  COMMAND ${CMAKE_COMMAND} -DSVGTOPNG=${CALIBRIX_HOST_SVGTOPNG} -DSVG=${CALIBRIX_ICON_SVG}
          "-DSIZES=${ico_sizes}" -DDIR=${ico_dir} -P ${PROJECT_SOURCE_DIR}/cmake/renderico.cmake
  COMMAND icotool --create --output=${ico} ${ico_pngs}
  DEPENDS ${CALIBRIX_ICON_SVG} ${PROJECT_SOURCE_DIR}/cmake/renderico.cmake
  COMMENT "Making the program icon"
  VERBATIM)

configure_file(packaging/windows/calibrix.rc.in ${PROJECT_BINARY_DIR}/windows/calibrix.rc @ONLY)
set_source_files_properties(${PROJECT_BINARY_DIR}/windows/calibrix.rc PROPERTIES
                            OBJECT_DEPENDS ${ico})
target_sources(calibrix PRIVATE ${PROJECT_BINARY_DIR}/windows/calibrix.rc)

# Qt is static: each test program links the offscreen platform it runs on, besides the
# Windows platform every Qt program gets. Deferred so that it sees the tests' targets.
function(calibrix_link_offscreen_platform)
  set(dirs ${PROJECT_SOURCE_DIR}/tests)
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        qt_import_plugins(${target} INCLUDE Qt6::QOffscreenIntegrationPlugin)
      endif()
    endforeach()
  endwhile()
endfunction()
if(CALIBRIX_BUILD_TESTS)
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL calibrix_link_offscreen_platform)
endif()
