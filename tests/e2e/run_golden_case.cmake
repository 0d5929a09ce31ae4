# Runs `flyback --script` on CASE_DIR/answers.txt in an empty WORK_DIR and
# compares the transcript and every report file with the expected ones, byte
# for byte; a file that the case does not expect fails it too. A case that
# expects design.json, parts.csv or design-report.html runs with --export
# design.json, --bom parts.csv or --design-report design-report.html; the
# program's version in the design file and the design report is masked as
# "VERSION", so that a new version changes no expected file. On a
# difference the actual file stays beside the expected one's name in
# WORK_DIR, one `diff` away.

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(file_options "")
if(EXISTS ${CASE_DIR}/design.json)
  list(APPEND file_options --export design.json)
endif()
if(EXISTS ${CASE_DIR}/parts.csv)
  list(APPEND file_options --bom parts.csv)
endif()
if(EXISTS ${CASE_DIR}/design-report.html)
  list(APPEND file_options --design-report design-report.html)
endif()
execute_process(COMMAND ${PROGRAM} --script ${file_options}
                INPUT_FILE ${CASE_DIR}/answers.txt
                OUTPUT_FILE ${WORK_DIR}/transcript.txt
                WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "flyback --script exited with ${status}")
endif()

if(EXISTS ${WORK_DIR}/design.json)
  file(READ ${WORK_DIR}/design.json design)
  string(REGEX REPLACE "(\"program\": {[^}]*\"version\": )\"[^\"]*\"" "\\1\"VERSION\"" design
         "${design}")
  file(WRITE ${WORK_DIR}/design.json "${design}")
endif()
if(EXISTS ${WORK_DIR}/design-report.html)
  file(READ ${WORK_DIR}/design-report.html report)
  string(REGEX REPLACE "Written by flyback [0-9.]+\\." "Written by flyback VERSION." report
         "${report}")
  file(WRITE ${WORK_DIR}/design-report.html "${report}")
endif()

file(GLOB expected_files RELATIVE ${CASE_DIR} ${CASE_DIR}/*)
set(failures "")
foreach(name ${expected_files})
  if(name STREQUAL "answers.txt" OR name STREQUAL "README.md")
    continue()
  endif()
  if(NOT EXISTS ${WORK_DIR}/${name})
    list(APPEND failures "${name} was not written")
    continue()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CASE_DIR}/${name} ${WORK_DIR}/${name}
                  RESULT_VARIABLE different)
  if(different)
    list(APPEND failures "${name} differs: diff ${CASE_DIR}/${name} ${WORK_DIR}/${name}")
  endif()
endforeach()
file(GLOB written_files RELATIVE ${WORK_DIR} ${WORK_DIR}/*)
foreach(name ${written_files})
  if(NOT EXISTS ${CASE_DIR}/${name})
    list(APPEND failures "${name} was written, but the case does not expect it")
  endif()
endforeach()
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "golden case failed:\n  ${text}")
endif()
