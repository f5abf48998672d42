# What the Windows zip and installer carry, as install() rules: the program, its license and
# readme, the notices of everything linked into it, and the source. Included from
# cmake/packaging.cmake; `cpack -G "ZIP;NSIS"` in the build directory makes both packages.

set(notices ${PROJECT_BINARY_DIR}/windows/notices)

# Windows' editors want CRLF line ends in the texts.
function(calibrix_windows_text input output)
  file(READ ${input} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${output} "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
endfunction()

# The static Qt: scripts/windows.sh leaves its licenses, Debian's copyright file and the build
# options beside it.
cmake_path(GET Qt6_DIR PARENT_PATH qt_prefix) # lib/cmake
cmake_path(GET qt_prefix PARENT_PATH qt_prefix) # lib
cmake_path(GET qt_prefix PARENT_PATH qt_prefix)
set(qt_build_info ${qt_prefix}/BUILD-INFO.txt)
if(NOT EXISTS ${qt_build_info} OR NOT EXISTS ${qt_prefix}/LICENSES)
  message(WARNING "${qt_prefix} has no BUILD-INFO.txt or LICENSES, as scripts/windows.sh leaves "
                  "them: the packages will lack Qt's notices")
else()
  file(STRINGS ${qt_build_info} qt_source REGEX "^Debian source package: " LIMIT_COUNT 1)
  string(REGEX REPLACE "^Debian source package: qt6-base " "" CALIBRIX_QT_SOURCE "${qt_source}")
  calibrix_windows_text(${qt_build_info} ${notices}/qt/BUILD-INFO.txt)
  calibrix_windows_text(${qt_prefix}/debian-copyright.txt ${notices}/qt/debian-copyright.txt)
  install(DIRECTORY ${qt_prefix}/LICENSES/ ${notices}/qt/ DESTINATION licenses/qt)
endif()

calibrix_windows_text(${PROJECT_SOURCE_DIR}/LICENSE ${notices}/LICENSE.txt)
calibrix_windows_text(/usr/share/doc/fonts-liberation2/copyright
                      ${notices}/fonts/liberation-fonts.txt)
calibrix_windows_text(/usr/share/doc/mingw-w64-common/copyright ${notices}/mingw-w64/mingw-w64.txt)
calibrix_windows_text(/usr/share/doc/gcc-mingw-w64-base/copyright
                      ${notices}/mingw-w64/gcc-runtime.txt)
set(CALIBRIX_QT_VERSION ${Qt6_VERSION})
configure_file(packaging/windows/README.txt.in ${notices}/README.txt @ONLY NEWLINE_STYLE CRLF)

install(TARGETS calibrix RUNTIME DESTINATION .)
install(FILES ${notices}/LICENSE.txt ${notices}/README.txt DESTINATION .)
install(DIRECTORY ${notices}/fonts ${notices}/mingw-w64 DESTINATION licenses)
calibrix_install_source_archive(source)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_SYSTEM_NAME windows-x86_64)
set(CPACK_RESOURCE_FILE_LICENSE ${notices}/LICENSE.txt)
# The installer comes from our template, packaging/windows/NSIS.template.in: it installs for
# the current user or for all users.
list(APPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
set(CPACK_NSIS_PACKAGE_NAME Calibrix)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Calibrix)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Calibrix)
set(CPACK_NSIS_MUI_ICON ${PROJECT_BINARY_DIR}/windows/calibrix.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_BINARY_DIR}/windows/calibrix.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME calibrix.exe)
