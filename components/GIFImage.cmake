# The animated GIF component's portable core: decoding, composition, animation rules and
# paint geometry.  The Win32 control builds on this library.
add_library(gifimage STATIC
  ${CMAKE_CURRENT_LIST_DIR}/GIFAnimation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GIFCanvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GIFLzw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GIFPaintGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GIFParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GIFRows.cpp
)
target_include_directories(gifimage PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(gifimage PUBLIC fileaccess)
if(PLOTVANE_FUZZ)
  # The pixel loops of composition and of laying out decoded rows compare only counters, sizes
  # and pixels against the transparent index, and UBSan adds a pointer check to every pixel:
  # tracing those comparisons for the fuzzer took most of a fuzz run's time and gives it
  # nothing to solve.  Their edges are still counted.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/GIFCanvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFRows.cpp PROPERTIES
    COMPILE_OPTIONS -fno-sanitize-coverage=trace-cmp)
endif()

# The Win32 side: the timer component and the windowless control painted by its parent form.
if(WIN32)
  add_library(gifcontrol STATIC
    ${CMAKE_CURRENT_LIST_DIR}/TimerThread.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TimerEx.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GIFImage.cpp
  )
  target_include_directories(gifcontrol PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(gifcontrol PUBLIC gifimage toolkit)
endif()
