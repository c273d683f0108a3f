# GoogleTest, Google Benchmark, libpng and libjpeg for both trees.  Natively they come from
# Debian's -dev packages (libjpeg from libjpeg62-turbo-dev); for Windows they are built from
# source: GoogleTest from the sources Debian ships in /usr/src/googletest, Google Benchmark,
# libpng and libjpeg-turbo from Debian's source packages.
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
  # What its feature checks would find, and warn about since they cannot run the test
  # programs of a cross build: the MinGW-w64 runtime has both.
  set(HAVE_STD_REGEX ON)
  set(HAVE_STEADY_CLOCK ON)
  add_subdirectory(${benchmark_src} ${CMAKE_BINARY_DIR}/benchmark EXCLUDE_FROM_ALL SYSTEM)

  set(libpng_src ${PLOTVANE_DEPS_DIR}/libpng1.6)
  if(NOT EXISTS ${libpng_src}/CMakeLists.txt)
    message(FATAL_ERROR "libpng sources missing in ${libpng_src}: run scripts/debian-sources")
  endif()
  find_package(ZLIB REQUIRED)
  set(PNG_SHARED OFF CACHE BOOL "" FORCE)
  set(PNG_STATIC ON CACHE BOOL "" FORCE)
  set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
  set(PNG_TESTS OFF CACHE BOOL "" FORCE)
  set(SKIP_INSTALL_ALL ON CACHE BOOL "" FORCE)
  add_subdirectory(${libpng_src} ${CMAKE_BINARY_DIR}/libpng EXCLUDE_FROM_ALL SYSTEM)
  target_compile_options(png_static PRIVATE -w)  # their code, not ours to keep warning-free
  add_library(PNG::PNG INTERFACE IMPORTED)
  target_link_libraries(PNG::PNG INTERFACE png_static ZLIB::ZLIB)
  target_include_directories(PNG::PNG INTERFACE ${libpng_src} ${CMAKE_BINARY_DIR}/libpng)

else()
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
  find_package(PNG REQUIRED)
  if(NOT PLOTVANE_FUZZ)
    find_package(JPEG REQUIRED)
  endif()
endif()

# libjpeg-turbo from Debian's source package, for Windows and for the fuzzing build (whose
# libFuzzer then sees coverage inside libjpeg too, and AddressSanitizer checks its memory;
# not UndefinedBehaviorSanitizer: the library's own shifts of negative numbers are not ours
# to report).  It expects to be the top-level project (its SIMD build looks for jconfig.h in
# CMAKE_BINARY_DIR), so it is built as a project of its own and installed into a prefix in
# this tree: the static library with its SIMD code (NASM), the IJG API only, and djpeg and
# cjpeg, which the JPEG benchmark uses under Wine.  Targets that include jpeglib.h depend on
# the target libjpeg_turbo.
if(CMAKE_CROSSCOMPILING OR PLOTVANE_FUZZ)
  set(libjpeg_src ${PLOTVANE_DEPS_DIR}/libjpeg-turbo)
  if(NOT EXISTS ${libjpeg_src}/CMakeLists.txt)
    message(FATAL_ERROR "libjpeg-turbo sources missing in ${libjpeg_src}: run scripts/debian-sources")
  endif()
  find_program(PLOTVANE_NASM nasm REQUIRED)
  if(CMAKE_CROSSCOMPILING)
    set(libjpeg_platform -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64.cmake)
  else()
    set(libjpeg_platform -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}
        "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer"
        -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address)
  endif()
  set(PLOTVANE_JPEG_PREFIX ${CMAKE_BINARY_DIR}/libjpeg-turbo)
  include(ExternalProject)
  ExternalProject_Add(libjpeg_turbo
    SOURCE_DIR ${libjpeg_src}
    BINARY_DIR ${CMAKE_BINARY_DIR}/libjpeg-turbo-build
    INSTALL_DIR ${PLOTVANE_JPEG_PREFIX}
    CMAKE_ARGS
      ${libjpeg_platform}
      -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
      -DCMAKE_INSTALL_LIBDIR=<INSTALL_DIR>/lib
      -DCMAKE_ASM_NASM_COMPILER=${PLOTVANE_NASM}
      -DENABLE_SHARED=OFF
      -DENABLE_STATIC=ON
      -DWITH_TURBOJPEG=OFF
      -DREQUIRE_SIMD=ON
      # Its custom commands name their products the way Ninja needs; the policy's old
      # behaviour would only warn about the ones that depend on the library.
      -DCMAKE_POLICY_DEFAULT_CMP0058=NEW
    BUILD_BYPRODUCTS ${PLOTVANE_JPEG_PREFIX}/lib/libjpeg.a
    EXCLUDE_FROM_ALL ON)
  file(MAKE_DIRECTORY ${PLOTVANE_JPEG_PREFIX}/include)
  add_library(JPEG::JPEG STATIC IMPORTED)
  set_target_properties(JPEG::JPEG PROPERTIES
    IMPORTED_LOCATION ${PLOTVANE_JPEG_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${PLOTVANE_JPEG_PREFIX}/include)
endif()
