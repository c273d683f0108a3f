# The slideshow archive component (TZLBArchive) as the library `zlbarchive`.  Portable C++ on
# zlib; only the temporary-file service has a Windows and a POSIX source.
if(WIN32)
  # The Windows programs carry zlib inside them, like the rest of their runtime.
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
add_library(zlbarchive STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveWrite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZLBPath.cpp
  $<IF:$<BOOL:${WIN32}>,${CMAKE_CURRENT_LIST_DIR}/ZLBPlatformWin32.cpp,${CMAKE_CURRENT_LIST_DIR}/ZLBPlatformPosix.cpp>
)
target_include_directories(zlbarchive PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zlbarchive PUBLIC ZLIB::ZLIB fileaccess)
