# twk dump FILE, then twk build of that text: the copy must equal FILE byte for byte.
string(REPLACE "|" ";" runner "${RUNNER}")
execute_process(COMMAND ${runner} ${TWK} dump ${FILE} OUTPUT_FILE ${WORK}/dumped.txt
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "twk dump failed: ${status}")
endif()
execute_process(COMMAND ${runner} ${TWK} build ${WORK}/dumped.txt -o ${WORK}/rebuilt.twk
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "twk build failed: ${status} ${err}")
endif()
file(SHA256 ${FILE} original)
file(SHA256 ${WORK}/rebuilt.twk rebuilt)
if(NOT original STREQUAL rebuilt)
  message(FATAL_ERROR "twk dump | twk build changed ${FILE}")
endif()
