# The pak tool from the shell, natively or under Wine.
get_property(pak_runner TARGET pak PROPERTY CROSSCOMPILING_EMULATOR)
list(JOIN pak_runner "|" pak_runner)
add_test(NAME pak_session
         COMMAND ${CMAKE_COMMAND} "-DRUNNER=${pak_runner}" "-DPROGRAM=$<TARGET_FILE:pak>"
                 "-DWORK=${CMAKE_CURRENT_BINARY_DIR}/pak-session"
                 -P ${CMAKE_CURRENT_LIST_DIR}/PakSession.cmake)
if(CMAKE_CROSSCOMPILING)
  set_tests_properties(pak_session PROPERTIES RESOURCE_LOCK wine)
endif()
