# Renders the square PNGs the .ico is made of: cmake -DSVGTOPNG= -DSVG= -DSIZES= -DDIR= -P
foreach(size IN LISTS SIZES)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                          ${SVGTOPNG} ${SVG} ${size} ${DIR}/${size}.png COMMAND_ERROR_IS_FATAL ANY)
endforeach()
