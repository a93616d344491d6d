# Runs chmcmd in the staged pages and treats what it only warns about (a page that links to
# a file that is not there) as the error it is. Expects CHMCMD, STAGE and OUTPUT.
execute_process(COMMAND ${CHMCMD} Bladetrace.hhp
    WORKING_DIRECTORY ${STAGE}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT EXISTS ${STAGE}/Bladetrace.chm)
    message(FATAL_ERROR "chmcmd failed (${result}):\n${output}${errors}")
endif()
if(output MATCHES "Warning" OR errors MATCHES "Warning")
    message(FATAL_ERROR "chmcmd reported problems in the help pages:\n${output}${errors}")
endif()
file(COPY_FILE ${STAGE}/Bladetrace.chm ${OUTPUT})
