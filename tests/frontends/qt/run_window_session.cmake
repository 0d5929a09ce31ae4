# Runs PROGRAM (flyback-gui, or the launcher flyback with a display named) on
# the offscreen platform with the design overview open from the start and
# its simulations without the part loads (--overview, --without-load-points:
# the launcher hands both on to the window, which refuses an option it does
# not know) and the answers Return, "4" and then the end of the answers, and
# checks the recorded answers: the default "continue" of the introduction, the
# typed 4 outputs, and nothing after the cancel. The program must end by itself with exit
# code 0.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/answers.txt "\n4\n")

set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{DISPLAY} :flyback-test)  # makes the launcher choose the window
set(ENV{FLYBACK_GUI_ANSWERS} ${WORK_DIR}/answers.txt)
set(ENV{XDG_STATE_HOME} ${WORK_DIR}/state)  # the session files stay out of the user's home
execute_process(COMMAND ${PROGRAM} --overview --without-load-points
                        --record ${WORK_DIR}/record.txt
                WORKING_DIRECTORY ${WORK_DIR} INPUT_FILE /dev/null
                RESULT_VARIABLE exit_code TIMEOUT 30)
if(NOT exit_code EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with ${exit_code}")
endif()
file(READ ${WORK_DIR}/record.txt record)
if(NOT record STREQUAL "continue\n4\n")
  message(FATAL_ERROR "recorded answers:\n${record}\nexpected:\ncontinue\n4\n")
endif()
