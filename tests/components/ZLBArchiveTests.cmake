# Tests of the archive component (zlbarchive).
plotvane_add_gtest(zlbarchive_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PakOracle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveReaderTest.cpp
  LIBS zlbarchive)
target_include_directories(zlbarchive_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../support)

# The archive reader under libFuzzer (clang only; scripts/fuzz-archive builds and runs it).
if(PLOTVANE_FUZZ)
  add_executable(zlbarchive_fuzz ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveFuzz.cpp)
  target_compile_options(zlbarchive_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_libraries(zlbarchive_fuzz PRIVATE zlbarchive -fsanitize=fuzzer)
endif()
