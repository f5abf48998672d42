# Installing Calibrix and packaging it with CPack: the .deb on Linux (cmake/debianpackage.cmake),
# the zip and the installer on Windows (cmake/windowspackage.cmake), and on both the source
# archive of the tree being built. Included from the top-level CMakeLists.txt.

if(NOT CALIBRIX_BUILD_APP)
  return()
endif()

# The day this version was released; change it together with the project version.
set(CALIBRIX_RELEASE_DATE 2026-12-08)

# The source as it stands in this tree, uncommitted changes included; no git needed, so that an
# unpacked archive makes the next one. Left out: what the tree's own builds and tools leave.
# CPack reads the patterns a second time, so they carry no backslashes: "[.]" stands for a dot.
string(REGEX REPLACE "([+.*()$?|])" "[\\1]" source_regex "${PROJECT_SOURCE_DIR}")
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME calibrix-${PROJECT_VERSION}-source)
set(CPACK_SOURCE_IGNORE_FILES
    "^${source_regex}/[.]git(/|$)" "^${source_regex}/build[^/]*/" "^${source_regex}/[.]cache/"
    "^${source_regex}/screenshots/" "^${source_regex}/compile_commands[.]json$"
    "^${source_regex}/CMakeUserPresets[.]json$" "/__pycache__/" "[.]swp$" "~$")
set(CALIBRIX_SOURCE_ARCHIVE ${CPACK_SOURCE_PACKAGE_FILE_NAME}.tar.gz)

# Writes the source archive into DIR at install time (for the Windows packages, which carry it).
function(calibrix_install_source_archive dir)
  install(CODE "
    set(work \"${PROJECT_BINARY_DIR}/source-archive\")
    file(REMOVE_RECURSE \"\${work}\")
    execute_process(COMMAND \"${CMAKE_CPACK_COMMAND}\" --config
                            \"${PROJECT_BINARY_DIR}/CPackSourceConfig.cmake\" -B \"\${work}\"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(INSTALL \"\${work}/${CALIBRIX_SOURCE_ARCHIVE}\"
         DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${dir}\")")
endfunction()

if(WIN32)
  include(cmake/windowspackage.cmake)
else()
  include(cmake/debianpackage.cmake)
endif()

# A project that adds ours with add_subdirectory keeps its own package settings.
if(NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()
set(CPACK_PACKAGE_NAME calibrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Calibrix developers")
set(CPACK_PACKAGE_CONTACT "The Calibrix developers <calibrix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calibration curve calculator for analytical chemistry")
set(CPACK_PACKAGE_DESCRIPTION
    "Calibrix fits the least-squares calibration line of an instrumental\n"
    "method of chemical analysis to up to 25 points, with or without an\n"
    "intercept. It shows the slope and the intercept with their confidence\n"
    "intervals, the detection limit, the residual standard deviation, the\n"
    "correlation coefficient and a plot. The points are exchanged with a\n"
    "spreadsheet through the clipboard.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpackoptions.cmake)
include(CPack)
