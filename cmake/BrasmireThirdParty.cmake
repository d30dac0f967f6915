# Third-party code comes from Debian's packages only.

# stb single-file libraries (libstb-dev).
find_path(STB_INCLUDE_DIR stb_image.h PATHS /usr/include/stb NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_library(stb_headers INTERFACE)
target_include_directories(stb_headers SYSTEM INTERFACE ${STB_INCLUDE_DIR})

if(NOT BRASMIRE_BUILD_TESTS)
  return()
endif()

if(WIN32)
  # GoogleTest compiled from the sources Debian's googletest package ships.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
  # googletest's own CMake already provides the GTest:: aliases.
else()
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
endif()
