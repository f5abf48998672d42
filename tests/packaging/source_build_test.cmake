# The source archive of this tree, unpacked into an empty folder where no git can help: it must
# build the program, and make the same archive again.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${SCRATCH}")

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
  endif()
endfunction()

function(archive_files archive result)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar tzf ${archive} OUTPUT_VARIABLE listing
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE "\n$" "" listing "${listing}")
  string(REPLACE "\n" ";" listing "${listing}")
  list(FILTER listing EXCLUDE REGEX "/$")
  list(SORT listing)
  set(${result} "${listing}" PARENT_SCOPE)
endfunction()

set(archive ${SCRATCH}/first/${ARCHIVE})
run("The source archive" ${CPACK} --config ${BUILD_DIR}/CPackSourceConfig.cmake -B ${SCRATCH}/first)
archive_files(${archive} files)
string(REGEX REPLACE "[.]tar[.]gz$" "" top ${ARCHIVE})
foreach(needed CMakeLists.txt LICENSE main.cpp scripts/windows.sh core/parsenumber.cpp)
  if(NOT "${top}/${needed}" IN_LIST files)
    message(FATAL_ERROR "The archive lacks ${top}/${needed}")
  endif()
endforeach()
list(FILTER files INCLUDE REGEX "/[.]git(/|$)|^${top}/build[^/]*/")
if(files)
  message(FATAL_ERROR "The archive carries a repository or a build: ${files}")
endif()

file(MAKE_DIRECTORY ${SCRATCH}/unpacked)
run("Unpacking" ${CMAKE_COMMAND} -E chdir ${SCRATCH}/unpacked ${CMAKE_COMMAND} -E tar xzf ${archive})
set(source ${SCRATCH}/unpacked/${top})
run("Configuring the unpacked source"
    ${CMAKE_COMMAND} -S ${source} -B ${SCRATCH}/build -G Ninja -DCMAKE_BUILD_TYPE=Release
    -DCALIBRIX_BUILD_TESTS=OFF -DCALIBRIX_BUILD_BENCHMARKS=OFF)
run("Building the unpacked source" ${CMAKE_COMMAND} --build ${SCRATCH}/build --target calibrix)
if(NOT EXISTS ${SCRATCH}/build/calibrix)
  message(FATAL_ERROR "The unpacked source built no program")
endif()

run("The archive of the unpacked source"
    ${CPACK} --config ${SCRATCH}/build/CPackSourceConfig.cmake -B ${SCRATCH}/second)
archive_files(${archive} first)
archive_files(${SCRATCH}/second/${ARCHIVE} second)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "The unpacked source makes another archive:\n${first}\n---\n${second}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
