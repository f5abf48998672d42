# The changelog, as Debian's own parser reads it: its top entry is this version, released on
# the day the metainfo gives.
function(field name out)
  execute_process(COMMAND ${PARSECHANGELOG} -l ${CHANGELOG} -S ${name}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE value ERROR_VARIABLE err
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "dpkg-parsechangelog -S ${name} (exit ${rc}): ${err}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

field(Source source)
field(Version version)
field(Date date)
if(NOT source STREQUAL "calibrix" OR NOT version STREQUAL VERSION)
  message(FATAL_ERROR "The changelog's top entry is ${source} ${version}; the project is "
                      "calibrix ${VERSION}")
endif()

# RELEASE_DATE is YYYY-MM-DD; the entry's date reads "Tue, 08 Dec 2026 12:00:00 +0000".
string(REPLACE "-" ";" ymd "${RELEASE_DATE}")
list(GET ymd 0 year)
list(GET ymd 1 month)
list(GET ymd 2 day)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
math(EXPR month "${month} - 1")
list(GET months ${month} month)
if(NOT date MATCHES ", ${day} ${month} ${year} ")
  message(FATAL_ERROR "The changelog's top entry is dated '${date}', not ${RELEASE_DATE}")
endif()
