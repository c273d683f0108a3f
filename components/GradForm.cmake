# The gradient caption form: the colour arithmetic is portable, the form itself Win32.
add_library(gradtable STATIC ${CMAKE_CURRENT_LIST_DIR}/GradientTable.cpp)
target_include_directories(gradtable PUBLIC ${CMAKE_CURRENT_LIST_DIR})
if(WIN32)
  add_library(gradform STATIC ${CMAKE_CURRENT_LIST_DIR}/GradForm.cpp)
  target_link_libraries(gradform PUBLIC gradtable toolkit)
endif()
