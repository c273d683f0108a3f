# Tests of the archive component (zlbarchive).
plotvane_add_gtest(zlbarchive_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PakOracle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveReaderTest.cpp
  LIBS zlbarchive)
target_include_directories(zlbarchive_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../support)
