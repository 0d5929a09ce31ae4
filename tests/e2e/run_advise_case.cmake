# Runs `flyback --script --advise --export design.json` on CASE_DIR/answers.txt
# in an empty WORK_DIR: the transcript must be the case's own, byte for byte
# (the ranking goes beside it, never into it), standard error must hold the
# ranking's table, and the design file must rank every candidate: ranks 1 to
# N in order, a verdict each, and a reason for every rejected one.

include(${CMAKE_CURRENT_LIST_DIR}/script_beside.cmake)
run_script_beside(--advise --export design.json)
if(NOT table MATCHES "Alternatives \\(drain-voltage limit 600 V;"
   OR NOT table MATCHES "\n   1 [^\n]+\n"
   OR NOT table MATCHES "SMT 31/190 \\(Orega\\) *\\*")
  message(FATAL_ERROR "standard error holds no table of alternatives:\n${table}")
endif()

file(READ ${WORK_DIR}/design.json design)
string(JSON count LENGTH "${design}" alternatives candidates)
if(count LESS 19)
  message(FATAL_ERROR "only ${count} candidates in the design file")
endif()
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  string(JSON rank GET "${design}" alternatives candidates ${i} rank)
  string(JSON verdict GET "${design}" alternatives candidates ${i} verdict)
  string(JSON reasons LENGTH "${design}" alternatives candidates ${i} reasons)
  math(EXPR expected "${i} + 1")
  if(NOT rank EQUAL expected)
    message(FATAL_ERROR "candidate ${i} has rank ${rank}, not ${expected}")
  endif()
  if(NOT verdict MATCHES "^(usable|marginal|rejected)$")
    message(FATAL_ERROR "candidate ${i} has the verdict '${verdict}'")
  endif()
  if(NOT verdict STREQUAL "usable" AND reasons EQUAL 0)
    message(FATAL_ERROR "candidate ${i} is ${verdict} without a reason")
  endif()
endforeach()
# Each table (one whenever the design is shown) has a line per candidate
# below its two heading lines.
string(REGEX MATCHALL "\n" lines "${table}")
list(LENGTH lines line_count)
math(EXPR rest "${line_count} % (${count} + 2)")
if(NOT rest EQUAL 0)
  message(FATAL_ERROR "${line_count} lines on standard error for ${count} candidates")
endif()
