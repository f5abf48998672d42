# The manual page as man and groff check it (the way lintian does), and the sections a reader
# looks for.
execute_process(COMMAND ${MAN} --warnings -E UTF-8 -l -Tutf8 -Z ${PAGE}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE warnings)
if(NOT rc EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "man --warnings on ${PAGE} (exit ${rc}):\n${warnings}")
endif()

execute_process(COMMAND ${MAN} -E UTF-8 -l -Tascii ${PAGE} RESULT_VARIABLE rc
                OUTPUT_VARIABLE text ERROR_VARIABLE err)
# Drop overstriking (bold and underline), so that the words are plain.
string(ASCII 8 backspace)
string(REGEX REPLACE ".${backspace}" "" text "${text}")
set(missing "")
foreach(wanted "\nNAME\n +calibrix - calibration curve" "\nSYNOPSIS\n +calibrix" "\nDESCRIPTION\n"
               "\nFILES\n" "\nENVIRONMENT\n" "QT_QPA_PLATFORM" "QT_SCALE_FACTOR" "LC_NUMERIC"
               "\nSEE ALSO\n" "Calibrix ${VERSION}")
  if(NOT text MATCHES "${wanted}")
    string(APPEND missing "  ${wanted}\n")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "The manual page lacks:\n${missing}\n${text}")
endif()
