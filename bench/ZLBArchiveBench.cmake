add_executable(zlbarchive_bench ${CMAKE_CURRENT_LIST_DIR}/ZLIBArchiveBench.cpp)
target_link_libraries(zlbarchive_bench PRIVATE zlbarchive benchmark::benchmark)
