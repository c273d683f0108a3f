# twk render --gif against twk render --frames: gifframes decodes the GIF, and each of its
# composed frames must be the PNG that --frames wrote for that frame, byte for byte (both go
# through the same PNG writer, so equal pixels give equal files).  Also checks the frame count,
# the delay and the endless loop that gifframes prints.
string(REPLACE "|" ";" runner "${RUNNER}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(step "--frames;-o;${WORK}/cycle.png" "--gif;-o;${WORK}/cycle.gif")
  execute_process(COMMAND ${runner} ${TWK} render ${FILE} --graph ${GRAPH} --size ${SIZE} ${step}
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "twk render ${step} failed: ${status} ${err}")
  endif()
endforeach()
execute_process(COMMAND ${runner} ${GIFFRAMES} ${WORK}/cycle.gif ${WORK}/gif
                RESULT_VARIABLE status OUTPUT_VARIABLE out)
string(REPLACE "\r\n" "\n" out "${out}")
if(NOT status EQUAL 0 OR NOT out MATCHES "frames ${FRAMES}\nloop count 0 \\(for ever\\)\nframe 1: ${SIZE_TEXT} at \\(0, 0\\), delay ${DELAY} ms, disposal 1\n")
  message(FATAL_ERROR "gifframes: status ${status}\n${out}")
endif()
foreach(k RANGE 1 ${FRAMES})
  string(LENGTH "00${k}" length)
  math(EXPR from "${length} - 3")
  string(SUBSTRING "00${k}" ${from} 3 number)
  file(SHA256 ${WORK}/gif/frame-${number}.png decoded)
  file(SHA256 ${WORK}/cycle-${number}.png drawn)
  if(NOT decoded STREQUAL drawn)
    message(FATAL_ERROR "frame ${k} of the GIF differs from twk render's frame ${k}")
  endif()
endforeach()
