# Tests of the animated GIF component's portable core (components/GIFImage.cmake).
# GIFWriter makes every GIF the tests, benchmarks and fuzzing seeds use.
add_library(gif_testsupport STATIC ${CMAKE_CURRENT_LIST_DIR}/GIFWriter.cpp)
target_include_directories(gif_testsupport PUBLIC ${CMAKE_CURRENT_LIST_DIR})

plotvane_add_gtest(gifimage_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GIFLzwTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFParserTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFAnimationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFPaintGeometryTest.cpp
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
