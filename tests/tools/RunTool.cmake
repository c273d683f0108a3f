# Runs PROGRAM (through RUNNER when cross-compiled) with ARGS ("|"-separated) and fails
# unless the exit status is STATUS and stdout matches the regular expression OUTPUT.
string(REPLACE "|" ";" args "${ARGS}")
string(REPLACE "|" ";" runner "${RUNNER}")
execute_process(COMMAND ${runner} ${PROGRAM} ${args}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r\n" "\n" out "${out}")
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstdout: ${out}\nstderr: ${err}")
endif()
if(NOT out MATCHES "${OUTPUT}")
  message(FATAL_ERROR "output does not match '${OUTPUT}':\n${out}")
endif()
