# Runs `flyback --script --loop` on CASE_DIR/answers.txt in an empty
# WORK_DIR: the transcript must be the case's own, byte for byte (the table
# goes beside it). With OPTO the design is regulated through the opto-coupler
# at 135 V and standard error must hold the loop's two tables: first the
# component list's parts (R61 1 kOhm for the LED, R63 39 kOhm and C61 15 nF,
# C62 56 pF) beside R65 300 kOhm from the divider's worked values, then the
# proposal with the LED resistor 68 kOhm below
# (135 − 1.1 − 2.5) V/(4.7 V/(20 kOhm·0.38) + 1 mA) = 81.19 kOhm, and 12
# corners below the two heading lines of each table. Without OPTO standard
# error says, for each calculated design, why there is no loop: the design is
# regulated through the IC-supply winding.

include(${CMAKE_CURRENT_LIST_DIR}/script_beside.cmake)
run_script_beside(--loop)
if(NOT OPTO)
  if(NOT table MATCHES "^(Loop: regulated through the IC-supply winding [^\n]+: not modelled\n)+$")
    message(FATAL_ERROR "a design without opto regulation wrote:\n${table}")
  endif()
  return()
endif()
if(NOT table MATCHES "^Loop \\(R65 300.0 kOhm, R_LED 1.0 kOhm, R_z 39.0 kOhm, C_z 15.000 nF, C_p 0.056 nF,"
   OR NOT table MATCHES "\nProposed compensator \\(R65 300.0 kOhm, R_LED 68.0 kOhm,"
   OR NOT table MATCHES "\nlowest input +100 +0.38 boundary [^\n]+\n"
   OR NOT table MATCHES "\nhighest input +10 +1.25 boundary [^\n]+\n")
  message(FATAL_ERROR "standard error holds no loop table:\n${table}")
endif()
string(REGEX MATCHALL "\n" lines "${table}")
list(LENGTH lines line_count)
math(EXPR rest "${line_count} % 14")
if(NOT rest EQUAL 0)
  message(FATAL_ERROR "${line_count} lines on standard error, not 14 a table")
endif()
