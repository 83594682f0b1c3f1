# Runs qz with arguments and optional standard input, then checks its exit
# status and that its output matches a regular expression.
#   QZ          the program
#   ARGS        arguments, separated by ';'
#   INPUT       text fed to standard input (\n for line ends, \t for tabs,
#               <SC> for a semicolon, which CMake lists would split),
#               or written to INFILE when that is given
#   INFILE      a file to write INPUT into before the run
#   RC          expected exit status
#   EXPECT      regular expression the standard output (or, with ON_STDERR,
#               the standard error) must match
#   ERR_EXPECT  regular expression the standard error must match as well
#   OUTFILE     a file the command must have written, matching FILE_EXPECT
string(REPLACE "\\n" "\n" input "${INPUT}")
string(REPLACE "\\t" "\t" input "${input}")
string(REPLACE "<SC>" ";" input "${input}")
set(stdin_file "${CMAKE_CURRENT_BINARY_DIR}/qz_stdin_${NAME}.txt")
if(DEFINED INFILE AND NOT INFILE STREQUAL "")
  file(WRITE "${INFILE}" "${input}")
  file(WRITE "${stdin_file}" "")
else()
  file(WRITE "${stdin_file}" "${input}")
endif()
execute_process(COMMAND "${QZ}" ${ARGS}
  INPUT_FILE "${stdin_file}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL RC)
  message(FATAL_ERROR "exit status ${rc}, expected ${RC}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(ON_STDERR)
  set(checked "${err}")
else()
  set(checked "${out}")
endif()
if(NOT checked MATCHES "${EXPECT}")
  message(FATAL_ERROR "output does not match '${EXPECT}'\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED ERR_EXPECT AND NOT ERR_EXPECT STREQUAL "")
  if(NOT err MATCHES "${ERR_EXPECT}")
    message(FATAL_ERROR "standard error does not match '${ERR_EXPECT}'\nstdout:\n${out}\nstderr:\n${err}")
  endif()
endif()
if(DEFINED OUTFILE AND NOT OUTFILE STREQUAL "")
  if(NOT EXISTS "${OUTFILE}")
    message(FATAL_ERROR "${OUTFILE} was not written")
  endif()
  file(READ "${OUTFILE}" written)
  if(NOT written MATCHES "${FILE_EXPECT}")
    message(FATAL_ERROR "${OUTFILE} does not match '${FILE_EXPECT}':\n${written}")
  endif()
endif()
