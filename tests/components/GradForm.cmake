# The gradient caption form: its colour arithmetic natively, its title bar on a screenshot.
plotvane_add_gtest(gradtable_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/GradientTableTest.cpp
  LIBS gradtable)

if(WIN32)
  add_executable(gradient_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/GradientWindow.cpp)
  target_link_libraries(gradient_window PRIVATE gradform gifcontrol)
  plotvane_add_wine_script_test(gradform_window tests/components/gradient-window.sh
                                $<TARGET_FILE:gradient_window>)
endif()
