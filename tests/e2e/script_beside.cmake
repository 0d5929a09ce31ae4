# run_script_beside(OPTION...): runs `flyback --script OPTION...` on
# CASE_DIR/answers.txt in an empty WORK_DIR and fails unless it ends with
# status 0 and its transcript is the case's own, byte for byte (what the
# options add goes beside it, never into it). Standard error is left in
# `table`.

macro(run_script_beside)
  file(REMOVE_RECURSE ${WORK_DIR})
  file(MAKE_DIRECTORY ${WORK_DIR})
  execute_process(COMMAND ${PROGRAM} --script ${ARGN}
                  INPUT_FILE ${CASE_DIR}/answers.txt
                  OUTPUT_FILE ${WORK_DIR}/transcript.txt
                  ERROR_VARIABLE table
                  WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "flyback --script ${ARGN} exited with ${status}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CASE_DIR}/transcript.txt
                          ${WORK_DIR}/transcript.txt
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "the transcript changed: diff ${CASE_DIR}/transcript.txt "
                        "${WORK_DIR}/transcript.txt")
  endif()
endmacro()
