# A user's session with the pak tool: create, list, verify, and the refusals.
# Variables: RUNNER ("|"-separated, empty natively), PROGRAM, WORK (a scratch folder).
string(REPLACE "|" ";" runner "${RUNNER}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/pics/sub")
string(REPEAT "slide after slide after slide\r\n" 200 text)
file(WRITE "${WORK}/list.dat" "5\r\n${WORK}/pics/a.txt\r\n")
file(WRITE "${WORK}/pics/a.txt" "${text}")
file(WRITE "${WORK}/pics/sub/tiny.txt" "x")

function(pak expected_status expected_output)
  execute_process(COMMAND ${runner} "${PROGRAM}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r\n" "\n" out "${out}")
  if(NOT status STREQUAL expected_status OR NOT out MATCHES "${expected_output}")
    message(FATAL_ERROR "pak ${ARGN}\nstatus ${status} (expected ${expected_status})\n"
                        "stdout:\n${out}\nexpected to match: ${expected_output}\nstderr: ${err}")
  endif()
endfunction()

pak(0 "^out.pak: 3 members, written and verified\n$"
    create out.pak --level fastest --recurse list.dat pics)
# list.dat is 3 + 2 + path bytes, stored as is; a.txt compresses at level 1; tiny.txt stored.
pak(0 "^name\tfolder\tsize\tstored\tmethod\tlevel\tcrc\toffset\nlist.dat\t\t[0-9]+\t[0-9]+\t1\t0\t[0-9a-f]+\t0\na.txt\t\t6200\t[0-9]+\t0\t1\t[0-9a-f]+\t[0-9]+\ntiny.txt\t\t1\t1\t1\t0\t8cdc1683\t[0-9]+\n$"
    list out.pak)
pak(0 "^OK: 3 members\n$" verify out.pak)
pak(1 "^File already exists: out.pak\n$" create out.pak list.dat)
pak(1 "^skipped: Unable to open file \\(missing.jpg\\)\nmissing.pak: 1 members, written and verified\n$"
    create missing.pak missing.jpg list.dat)
file(WRITE "${WORK}/fake.pak" "this is a text file and not an archive at all")
pak(1 "^The archive file appears to be corrupted\n$" verify fake.pak)
pak(1 "^Archive file not found\n$" verify nothing.pak)
pak(2 "" create out2.pak --level huge list.dat)
