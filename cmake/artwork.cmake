# The program's artwork, compiled into `target`: the SVGs themselves where Qt SVG is at hand,
# else PNGs rendered from them at one and two times their size by tools/svgtopng built for the
# build machine (CALIBRIX_HOST_SVGTOPNG), so that the program needs no SVG module.
set(CALIBRIX_ARTWORK calibrix copy paste clear about exit calculate delete ok portrait)

function(calibrix_add_artwork target)
  set(dir ${PROJECT_SOURCE_DIR}/ui/resources)
  if(NOT CALIBRIX_PNG_ARTWORK)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/windowkit/artwork_svg.cpp
                                     ${PROJECT_SOURCE_DIR}/windowkit/svgicon.h
                                     ${PROJECT_SOURCE_DIR}/windowkit/svgicon.cpp)
    target_link_libraries(${target} PRIVATE Qt6::Svg)
    list(TRANSFORM CALIBRIX_ARTWORK PREPEND ${dir}/ OUTPUT_VARIABLE svgs)
    list(TRANSFORM svgs APPEND .svg)
    qt_add_resources(${target} calibrix_artwork PREFIX "/resources" BASE ${dir} FILES ${svgs})
    return()
  endif()

  if(NOT EXISTS "${CALIBRIX_HOST_SVGTOPNG}")
    message(FATAL_ERROR "The PNG artwork needs CALIBRIX_HOST_SVGTOPNG, tools/svgtopng built for "
                        "the build machine (scripts/windows.sh builds it).")
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/artwork)
  set(pngs)
  foreach(name IN LISTS CALIBRIX_ARTWORK)
    foreach(scale 1 2)
      set(png ${out}/${name}.png)
      if(scale GREATER 1)
        set(png ${out}/${name}@${scale}x.png)
      endif()
      add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${CALIBRIX_HOST_SVGTOPNG} ${dir}/${name}.svg ${scale}x ${png}
        DEPENDS ${dir}/${name}.svg
        VERBATIM)
      list(APPEND pngs ${png})
    endforeach()
  endforeach()
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/windowkit/artwork_png.cpp)
  qt_add_resources(${target} calibrix_artwork PREFIX "/resources" BASE ${out} FILES ${pngs})
endfunction()
