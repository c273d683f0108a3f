# Tests of the animated GIF component's portable core (components/GIFImage.cmake).
# GIFTestFiles makes, through the writer component, every GIF the tests, benchmarks and
# fuzzing seeds use.
add_library(gif_testsupport STATIC ${CMAKE_CURRENT_LIST_DIR}/GIFTestFiles.cpp)
target_include_directories(gif_testsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(gif_testsupport PUBLIC gifwriter)

plotvane_add_gtest(gifimage_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GIFLzwTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFParserTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFAnimationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFPaintGeometryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFWriterTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFEncoderTest.cpp
  LIBS gifimage gif_testsupport)

# giflib is the trusted peer of the differential test; only the native build has it.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GIF REQUIRED)
  plotvane_add_gtest(gifimage_giflib_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/GIFGiflibTest.cpp
    LIBS gifimage gif_testsupport GIF::GIF)
endif()

add_executable(gif_sample ${CMAKE_CURRENT_LIST_DIR}/GIFSample.cpp)
target_link_libraries(gif_sample PRIVATE gif_testsupport)

# The Win32 control and its timer, in-process under Wine.
if(WIN32)
  plotvane_add_gtest(gifcontrol_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/TimerExTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/GIFImageTest.cpp
    LIBS gifcontrol gif_testsupport)
endif()

# The control animating in a real window, watched on screenshots.
if(WIN32)
  add_executable(gif_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/GIFWindow.cpp)
  target_link_libraries(gif_window PRIVATE gifcontrol gif_testsupport)
  plotvane_add_wine_script_test(gifcontrol_window tests/components/gif-window.sh
                                $<TARGET_FILE:gif_window>)
endif()
