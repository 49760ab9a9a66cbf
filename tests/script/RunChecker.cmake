# Runs kelvodemo-check once in a fresh work folder holding the test scripts, and checks its
# exit status, both outputs and the files it leaves. Called by CTest with cmake -P.
#   TOOL, EMULATOR (empty natively), DATA (folder of the scripts), WORK, STATUS,
#   OUT and ERR (regular expressions), FILES ("#"-separated, "-" for none), ARGS ("#"-separated)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/out)
file(GLOB scripts ${DATA}/*.KelvoDemo)
file(COPY ${scripts} DESTINATION ${WORK})

string(REPLACE "#" ";" args "${ARGS}")
set(command ${TOOL} ${args})
if(EMULATOR)
    set(command ${EMULATOR} ${command})
endif()
execute_process(COMMAND ${command} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "exit status ${status}\n--- stdout:\n${out}\n--- stderr:\n${err}")

set(failures "")
if(NOT status STREQUAL STATUS)
    string(APPEND failures "exit status ${status}, expected ${STATUS}\n")
endif()
if(NOT out MATCHES "${OUT}")
    string(APPEND failures "stdout does not match: ${OUT}\n")
endif()
if(NOT err MATCHES "${ERR}")
    string(APPEND failures "stderr does not match: ${ERR}\n")
endif()

file(GLOB_RECURSE left RELATIVE ${WORK} ${WORK}/*)
list(FILTER left EXCLUDE REGEX "[.]KelvoDemo$")
list(SORT left)
set(expected "")
if(NOT FILES STREQUAL "-")
    string(REPLACE "#" ";" expected "${FILES}")
    list(SORT expected)
endif()
if(NOT left STREQUAL expected)
    string(APPEND failures "files left: '${left}', expected '${expected}'\n")
endif()

if(failures)
    message(FATAL_ERROR "${failures}")
endif()
