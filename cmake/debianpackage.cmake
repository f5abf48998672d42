# Installing Calibrix as a desktop program on Linux (binary, menu entry, AppStream data, icons,
# documents) and the settings of its .deb. Included from cmake/packaging.cmake.

include(GNUInstallDirs)

set(CALIBRIX_ICON_SVG ${PROJECT_SOURCE_DIR}/ui/resources/calibrix.svg)
set(CALIBRIX_ICON_SIZES 32 48 128 256)

configure_file(packaging/calibrix.desktop.in
               ${PROJECT_BINARY_DIR}/packaging/${CALIBRIX_APP_ID}.desktop @ONLY)
configure_file(packaging/calibrix.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${CALIBRIX_APP_ID}.metainfo.xml @ONLY)

# Renders the program's SVG icon to the PNG sizes of the hicolor theme.
add_executable(calibrix_svgtopng tools/svgtopng.cpp)
calibrix_target_defaults(calibrix_svgtopng)
target_link_libraries(calibrix_svgtopng PRIVATE Qt6::Gui Qt6::Svg)

set(icon_pngs)
foreach(size IN LISTS CALIBRIX_ICON_SIZES)
  set(png ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}/${CALIBRIX_APP_ID}.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging/icons/${size}x${size}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:calibrix_svgtopng> ${CALIBRIX_ICON_SVG} ${size} ${png}
    DEPENDS calibrix_svgtopng ${CALIBRIX_ICON_SVG}
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(calibrix_icons ALL DEPENDS ${icon_pngs})

# The program links system libraries only, so the installed binary needs no RPATH (the Qt
# project setup would give it $ORIGIN/../lib).
set_target_properties(calibrix PROPERTIES INSTALL_RPATH "")
# Relocations read-only and bound at start, as Debian builds its programs.
target_link_options(calibrix PRIVATE LINKER:-z,relro LINKER:-z,now)
install(TARGETS calibrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package's) also drops the compiler's version notes, as Debian's
# own stripping does.
if(CMAKE_OBJCOPY)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/calibrix\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endif()
install(FILES ${PROJECT_BINARY_DIR}/packaging/${CALIBRIX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${CALIBRIX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CALIBRIX_ICON_SVG} RENAME ${CALIBRIX_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The license, the changelog and the manual page that a distribution expects with the program.
# The copyright file carries the license text of LICENSE, each line indented, blank ones as " .".
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE license_lines)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
set(CALIBRIX_LICENSE_TEXT "")
set(license_started OFF)
foreach(line IN LISTS license_lines)
  if(line MATCHES "^Permission ")
    set(license_started ON)
  endif()
  if(license_started)
    if(line STREQUAL "")
      set(line ".")
    endif()
    string(APPEND CALIBRIX_LICENSE_TEXT " ${line}\n")
  endif()
endforeach()
string(STRIP "${CALIBRIX_LICENSE_TEXT}" CALIBRIX_LICENSE_TEXT)
set(CALIBRIX_LICENSE_TEXT " ${CALIBRIX_LICENSE_TEXT}")
configure_file(packaging/copyright.in ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)
configure_file(packaging/calibrix.1.in ${PROJECT_BINARY_DIR}/packaging/calibrix.1 @ONLY)
configure_file(packaging/changelog ${PROJECT_BINARY_DIR}/packaging/changelog COPYONLY)

# gzip -9n: the strongest compression, and no file name or time stamp, so that the same sources
# give the same package.
find_program(GZIP gzip REQUIRED)
set(gzipped)
foreach(file changelog calibrix.1)
  set(gz ${PROJECT_BINARY_DIR}/packaging/${file}.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${GZIP} -9nkf ${PROJECT_BINARY_DIR}/packaging/${file}
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/${file}
    COMMENT "Compressing ${file}"
    VERBATIM)
  list(APPEND gzipped ${gz})
endforeach()
add_custom_target(calibrix_docs ALL DEPENDS ${gzipped})
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright
              ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_BINARY_DIR}/packaging/calibrix.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The .deb: `cpack -G DEB` in the build directory writes calibrix_<version>_<arch>.deb there.
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.org/simulations/simu_chem.html)
# The linked libraries (Qt Core, Gui, Widgets and Svg, the C++ runtime) come from
# dpkg-shlibdeps. libqt6svg6 also carries the SVG icon engine and image plugins that draw the
# artwork. What the program loads or calls without linking is listed by hand: Qt's platform
# plugins, the Liberation fonts of its windows, and xdg-open for the About window's links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, xdg-utils")

