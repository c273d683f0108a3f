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
  # The regression test replays what the fuzz targets found through their own checks.
  plotvane_add_gtest(gifimage_giflib_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/GIFGiflibTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/GIFRegressionTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/fuzz/GIFFuzzPlay.cpp
      ${CMAKE_CURRENT_LIST_DIR}/fuzz/GIFGiflibDiff.cpp
    LIBS gifimage gif_testsupport GIF::GIF)
  target_include_directories(gifimage_giflib_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/fuzz)
  target_compile_definitions(gifimage_giflib_tests PRIVATE
    GIF_REGRESSIONS_DIR="${CMAKE_CURRENT_LIST_DIR}/gif-regressions")
endif()

add_executable(gif_sample ${CMAKE_CURRENT_LIST_DIR}/GIFSample.cpp)
target_link_libraries(gif_sample PRIVATE gif_testsupport)

# The fuzz targets need clang's libFuzzer: configure with CC=clang-14 CXX=clang++-14 and
# -DPLOTVANE_FUZZ=ON (make fuzz-gif and make fuzz-gif-giflib do so in build/fuzz).
if(PLOTVANE_FUZZ)
  add_executable(gif_fuzz ${CMAKE_CURRENT_LIST_DIR}/fuzz/GIFFuzz.cpp
                          ${CMAKE_CURRENT_LIST_DIR}/fuzz/GIFFuzzPlay.cpp)
  target_link_libraries(gif_fuzz PRIVATE gifimage)
  target_link_options(gif_fuzz PRIVATE -fsanitize=fuzzer)
  add_executable(gif_giflib_fuzz ${CMAKE_CURRENT_LIST_DIR}/fuzz/GIFGiflibFuzz.cpp
                                 ${CMAKE_CURRENT_LIST_DIR}/fuzz/GIFGiflibDiff.cpp)
  target_link_libraries(gif_giflib_fuzz PRIVATE gifimage GIF::GIF)
  target_link_options(gif_giflib_fuzz PRIVATE -fsanitize=fuzzer)
  # The comparison walks every pixel and every bit of the codes; tracing those comparisons gives
  # the fuzzer nothing to solve and took a fifth of each run.  Their edges are still counted.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/fuzz/GIFGiflibDiff.cpp PROPERTIES
    COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)
  add_executable(gif_fuzz_seeds ${CMAKE_CURRENT_LIST_DIR}/fuzz/GIFFuzzSeeds.cpp)
  target_link_libraries(gif_fuzz_seeds PRIVATE gif_testsupport)
endif()

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
