# Third-party code: libpng with zlib (target movaril_png) and GoogleTest (GTest::gtest, GTest::gtest_main).
# It builds with its own flags, never with our warnings-as-errors.

set(LIBPNG_SOURCE_DIR "${CMAKE_SOURCE_DIR}/build/deps/libpng" CACHE PATH "libpng source tree (scripts/setup)")
add_library(movaril_png INTERFACE)
if(EXISTS "${LIBPNG_SOURCE_DIR}/CMakeLists.txt")
  # MinGW's zlib package has libz.a and libz.dll.a; the import library would tie the exe to zlib1.dll.
  set(ZLIB_USE_STATIC_LIBS ON)
  # libpng's option() calls predate policy CMP0077, so plain variables would be ignored.
  set(PNG_SHARED OFF CACHE BOOL "" FORCE)
  set(PNG_TESTS OFF CACHE BOOL "" FORCE)
  set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
  set(SKIP_INSTALL_ALL ON)
  set(libpng_binary_dir "${CMAKE_BINARY_DIR}/_deps/libpng")
  add_subdirectory("${LIBPNG_SOURCE_DIR}" "${libpng_binary_dir}" EXCLUDE_FROM_ALL)
  # It decodes one small picture per drag pick: its size matters more than its speed.
  target_compile_options(png_static PRIVATE -Os)
  # pnglibconf.h is generated into the binary tree, beside the build of png_static.
  target_include_directories(movaril_png SYSTEM INTERFACE "${LIBPNG_SOURCE_DIR}" "${libpng_binary_dir}")
  target_link_libraries(movaril_png INTERFACE png_static)
else()
  # A native build without our libpng tree (MSYS2): prefer the static archives over the DLLs' import libraries.
  set(saved_suffixes ${CMAKE_FIND_LIBRARY_SUFFIXES})
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a ${CMAKE_FIND_LIBRARY_SUFFIXES})
  find_package(PNG REQUIRED)
  set(CMAKE_FIND_LIBRARY_SUFFIXES ${saved_suffixes})
  target_link_libraries(movaril_png INTERFACE PNG::PNG)
endif()

if(BUILD_TESTING)
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/_deps/googletest" EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
