# Runs PROGRAM with ARGUMENT (words separated by blanks) and checks the exit status (STATUS) and the
# whole of what it writes: standard output against the file STDOUT_FILE (or
# nothing, where none is given), and standard error against the line
# STDERR_LINE, a blank line and the file STDERR_FILE (or nothing).

separate_arguments(arguments UNIX_COMMAND "${ARGUMENT}")
execute_process(COMMAND ${PROGRAM} ${arguments}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(expected_out "")
if(STDOUT_FILE)
  file(READ ${STDOUT_FILE} expected_out)
endif()
set(expected_err "")
if(STDERR_LINE)
  file(READ ${STDERR_FILE} usage)
  set(expected_err "${STDERR_LINE}\n\n${usage}")
endif()
set(failures "")
if(NOT status STREQUAL STATUS)
  list(APPEND failures "exit status ${status}, expected ${STATUS}")
endif()
if(NOT out STREQUAL expected_out)
  list(APPEND failures "standard output:\n${out}\nexpected:\n${expected_out}")
endif()
if(NOT err STREQUAL expected_err)
  list(APPEND failures "standard error:\n${err}\nexpected:\n${expected_err}")
endif()
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${PROGRAM} ${ARGUMENT}: ${text}")
endif()
