include(GoogleTest)

# plotvane_add_gtest(NAME SOURCES... LIBS libs...)
# Natively every test case becomes its own CTest entry.  Under Wine each start of a program
# costs a second or more, so a Windows test program is one CTest entry, and Wine tests run
# one at a time: they share the build tree's Wine prefix and its server.
function(plotvane_add_gtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()

# Tests that drive a Windows program from the Linux side (screenshots, synthetic input).  Each
# step waits for what it checks, with a bound of its own; the test's bound only stops a hang,
# and a loaded machine takes the editor's long walk past five minutes.
function(plotvane_add_wine_script_test name script)
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine TIMEOUT 1200
                       ENVIRONMENT "PLOTVANE_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
endfunction()
