# GoogleTest and Google Benchmark for both trees.  Natively they come from Debian's -dev
# packages; for Windows they are built from source: GoogleTest from the sources Debian ships
# in /usr/src/googletest, Google Benchmark from Debian's source package.
if(CMAKE_CROSSCOMPILING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

  set(benchmark_src ${PLOTVANE_DEPS_DIR}/benchmark)
  if(NOT EXISTS ${benchmark_src}/CMakeLists.txt)
    message(FATAL_ERROR "Google Benchmark sources missing in ${benchmark_src}: run scripts/debian-sources")
  endif()
  set(BENCHMARK_ENABLE_TESTING OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_GTEST_TESTS OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_INSTALL OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_ENABLE_WERROR OFF CACHE BOOL "" FORCE)
  set(BENCHMARK_INSTALL_DOCS OFF CACHE BOOL "" FORCE)
  set(GIT_VERSION "0.0.0")  # no git metadata in a source package: use the project's version
  add_subdirectory(${benchmark_src} ${CMAKE_BINARY_DIR}/benchmark EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
endif()
