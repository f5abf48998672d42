# Checks an installed Calibrix below ROOT (a DESTDIR or an unpacked .deb, prefix /usr).
# Expects APP_ID, VERSION, ICON_SIZES (comma-separated), SOURCE_SVG, SOURCE_DIR, GZIP and
# APPSTREAMCLI; appends what is wrong, one line each, to the variable `errors`.

function(png_size path out_width out_height)
  file(READ "${path}" head LIMIT 24 HEX)
  string(LENGTH "${head}" length)
  set(width "")
  set(height "")
  # Signature, then the IHDR chunk: length 13, "IHDR", width and height as big-endian 32 bits.
  if(length EQUAL 48 AND head MATCHES "^89504e470d0a1a0a0000000d49484452")
    string(SUBSTRING "${head}" 32 8 w)
    string(SUBSTRING "${head}" 40 8 h)
    math(EXPR width "0x${w}")
    math(EXPR height "0x${h}")
  endif()
  set(${out_width} "${width}" PARENT_SCOPE)
  set(${out_height} "${height}" PARENT_SCOPE)
endfunction()

function(check_tree root)
  set(problems "")
  set(usr "${root}/usr")
  string(REPLACE "," ";" sizes "${ICON_SIZES}")

  # Exactly these files, nothing more (no headers, libraries or test programs).
  set(expected
    usr/bin/calibrix
    usr/share/applications/${APP_ID}.desktop
    usr/share/metainfo/${APP_ID}.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
    usr/share/doc/calibrix/copyright
    usr/share/doc/calibrix/changelog.gz
    usr/share/man/man1/calibrix.1.gz)
  foreach(size IN LISTS sizes)
    list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  endforeach()
  file(GLOB_RECURSE found RELATIVE "${root}" LIST_DIRECTORIES false "${root}/*")
  list(SORT expected)
  list(SORT found)
  if(NOT found STREQUAL expected)
    string(REPLACE ";" " " f "${found}")
    string(APPEND problems "  files are: ${f}\n")
  endif()

  execute_process(COMMAND test -x "${usr}/bin/calibrix" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    string(APPEND problems "  usr/bin/calibrix is not executable\n")
  endif()

  foreach(size IN LISTS sizes)
    set(png "${usr}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
    if(EXISTS "${png}")
      png_size("${png}" width height)
      if(NOT width STREQUAL "${size}" OR NOT height STREQUAL "${size}")
        string(APPEND problems "  ${size}x${size} icon is a PNG of '${width}' x '${height}'\n")
      endif()
    endif()
  endforeach()

  set(svg "${usr}/share/icons/hicolor/scalable/apps/${APP_ID}.svg")
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${SOURCE_SVG}" "${svg}"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    string(APPEND problems "  the scalable icon is not ${SOURCE_SVG}\n")
  endif()

  # The menu entry starts the installed binary and shows the installed icon.
  set(desktop "${usr}/share/applications/${APP_ID}.desktop")
  if(EXISTS "${desktop}")
    file(READ "${desktop}" entry)
    if(NOT entry MATCHES "\nExec=calibrix\n")
      string(APPEND problems "  the desktop file does not start calibrix\n")
    endif()
    if(NOT entry MATCHES "\nIcon=([^\n]*)\n" OR NOT CMAKE_MATCH_1 STREQUAL APP_ID)
      string(APPEND problems "  the desktop file's icon is '${CMAKE_MATCH_1}', not ${APP_ID}\n")
    endif()
    if(entry MATCHES "\nCategories=([^\n]*)\n")
      set(categories ";${CMAKE_MATCH_1}")
      foreach(category Education Science Chemistry)
        string(FIND "${categories}" ";${category};" pos)
        if(pos EQUAL -1)
          string(APPEND problems "  the desktop file is not in the ${category} category\n")
        endif()
      endforeach()
    else()
      string(APPEND problems "  the desktop file has no categories\n")
    endif()
  endif()

  # The AppStream data names the same id, launches the installed desktop file and carries
  # this version.
  set(metainfo "${usr}/share/metainfo/${APP_ID}.metainfo.xml")
  if(EXISTS "${metainfo}")
    file(READ "${metainfo}" component)
    string(FIND "${component}" "<id>${APP_ID}</id>" pos)
    if(pos EQUAL -1)
      string(APPEND problems "  the metainfo id is not ${APP_ID}\n")
    endif()
    set(launchable "")
    if(component MATCHES "<launchable type=\"desktop-id\">([^<]*)</launchable>")
      set(launchable "${CMAKE_MATCH_1}")
    endif()
    if(launchable STREQUAL "" OR NOT EXISTS "${usr}/share/applications/${launchable}")
      string(APPEND problems "  the metainfo launchable '${launchable}' is not installed\n")
    endif()
    if(NOT component MATCHES "<release version=\"([^\"]*)\"" OR NOT CMAKE_MATCH_1 STREQUAL VERSION)
      string(APPEND problems "  the metainfo release is '${CMAKE_MATCH_1}', not ${VERSION}\n")
    endif()
    if(NOT component MATCHES "<screenshot[^>]*>.*<image[^>]*>https://www\\.example\\.org/[^<]+</image>")
      string(APPEND problems "  the metainfo has no screenshot under https://www.example.org/\n")
    endif()
  endif()

  # Compressed as gzip -9n does it: deflate, no file name, no time stamp, the strongest level;
  # and unpacking gives the file back.
  foreach(gz doc/calibrix/changelog.gz man/man1/calibrix.1.gz)
    if(NOT EXISTS "${usr}/share/${gz}")
      continue()
    endif()
    file(READ "${usr}/share/${gz}" head LIMIT 10 HEX)
    if(NOT head MATCHES "^1f8b08000000000002")
      string(APPEND problems "  ${gz} does not start as gzip -9n writes: ${head}\n")
    endif()
    execute_process(COMMAND ${GZIP} -dc "${usr}/share/${gz}" RESULT_VARIABLE rc
                    OUTPUT_VARIABLE unpacked)
    if(NOT rc EQUAL 0)
      string(APPEND problems "  ${gz} does not unpack\n")
    elseif(gz MATCHES "changelog")
      file(READ "${SOURCE_DIR}/packaging/changelog" want)
      if(NOT unpacked STREQUAL want)
        string(APPEND problems "  ${gz} is not packaging/changelog\n")
      endif()
    endif()
  endforeach()

  # The copyright file in Debian's machine-readable format, with the license of LICENSE.
  set(copyright "${usr}/share/doc/calibrix/copyright")
  if(EXISTS "${copyright}")
    file(READ "${copyright}" text)
    foreach(field "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
                  "\nUpstream-Name: Calibrix\n" "\nSource: https://"
                  "\n\nFiles: \\*\nCopyright: 2026 The Calibrix developers\nLicense: MIT\n"
                  "\n\nLicense: MIT\n Permission ")
      if(NOT text MATCHES "${field}")
        string(APPEND problems "  the copyright file lacks ${field}\n")
      endif()
    endforeach()
    file(STRINGS "${SOURCE_DIR}/LICENSE" license_lines REGEX ".")
    list(REMOVE_AT license_lines 0 1) # the title and the copyright line come as fields
    foreach(line IN LISTS license_lines)
      string(FIND "${text}" "\n ${line}\n" pos)
      if(pos EQUAL -1)
        string(APPEND problems "  the copyright file lacks the license line '${line}'\n")
      endif()
    endforeach()
  endif()

  # appstreamcli checks the metainfo against the tree it sits in (the desktop file it launches).
  execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net --strict "${root}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    string(APPEND problems "  appstreamcli validate-tree failed:\n${out}\n")
  endif()

  set(errors "${errors}${problems}" PARENT_SCOPE)
endfunction()
