# Makes the packages for the package tests, as `make package` does, into WORK; unpacks the zip
# into WORK/unzipped; and starts the tests' Wine prefix PREFIX afresh. Called by CTest with
# cmake -P.   CPACK, CPACK_CONFIG, WORK, PREFIX, ZIP (the zip's file name)
execute_process(COMMAND wineserver -k ENV WINEPREFIX=${PREFIX} OUTPUT_QUIET ERROR_QUIET)
file(REMOVE_RECURSE ${PREFIX} ${WORK})
file(MAKE_DIRECTORY ${WORK}/unzipped)

execute_process(COMMAND ${CPACK} --config ${CPACK_CONFIG} -B ${WORK} RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed (${status}):\n${out}")
endif()
file(ARCHIVE_EXTRACT INPUT ${WORK}/${ZIP} DESTINATION ${WORK}/unzipped)
