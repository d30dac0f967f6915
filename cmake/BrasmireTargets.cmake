# Build conventions shared by every target of ours.

if(BRASMIRE_FUZZ)
  set(BRASMIRE_BUILD_TESTS OFF)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
else()
  set(BRASMIRE_BUILD_TESTS ON)
endif()

if(BRASMIRE_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  # Debug, but optimised enough that the long DSP tests stay quick.
  string(APPEND CMAKE_CXX_FLAGS_DEBUG " -O1")
elseif(BRASMIRE_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT BRASMIRE_SANITIZE STREQUAL "")
  message(FATAL_ERROR "BRASMIRE_SANITIZE must be empty, 'address' or 'thread'")
endif()

if(WIN32)
  # Windows programs (tests, plughost) run under Wine in a prefix private to this build tree.
  set(BRASMIRE_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run.sh;${BRASMIRE_WINEPREFIX}")
endif()
include(BrasmireWinePrefixes)

enable_testing()

if(BRASMIRE_BUILD_TESTS)
  # The executables labelled `threads`: all the ThreadSanitizer preset needs to build.
  add_custom_target(brasmire_thread_tests)
endif()
if(BRASMIRE_FUZZ)
  # The fuzz targets alone: the products and tools are built and tested elsewhere.
  add_custom_target(brasmire_fuzzers)
endif()

# Our own code: C++20, strict warnings, repository-rooted includes.
function(brasmire_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
  endif()
endfunction()

# brasmire_add_gtest(NAME <name> SOURCES ... [LIBS ...] [LABELS ...] [COUNT_ALLOCATIONS])
# One executable per subsystem group keeps Wine start-up cheap. COUNT_ALLOCATIONS
# links the replaced global operator new that tests use to prove a path allocates nothing.
function(brasmire_add_gtest)
  cmake_parse_arguments(T "COUNT_ALLOCATIONS" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT BRASMIRE_BUILD_TESTS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  brasmire_target_defaults(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(T_COUNT_ALLOCATIONS)
    target_link_libraries(${T_NAME} PRIVATE brasmire_allocation_counter)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if("threads" IN_LIST T_LABELS)
    add_dependencies(brasmire_thread_tests ${T_NAME})
  endif()
endfunction()

# brasmire_add_benchmark(NAME <name> SOURCES ... [LIBS ...]): native builds only.
function(brasmire_add_benchmark)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  # Timings under a sanitizer mean nothing: benchmarks build in plain native builds.
  if(NOT BRASMIRE_BUILD_TESTS OR WIN32 OR NOT BRASMIRE_SANITIZE STREQUAL "" OR NOT TARGET benchmark::benchmark)
    return()
  endif()
  add_executable(${B_NAME} ${B_SOURCES})
  brasmire_target_defaults(${B_NAME})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# brasmire_add_fuzzer(NAME <name> SOURCES ... [LIBS ...] [CORPUS <dir>] [SECONDS <n>])
# Fuzz builds only. Each target also gets a short smoke run as a CTest test.
function(brasmire_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT BRASMIRE_FUZZ)
    return()
  endif()
  add_executable(${F_NAME} ${F_SOURCES})
  brasmire_target_defaults(${F_NAME})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  add_dependencies(brasmire_fuzzers ${F_NAME})
  set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
  if(NOT F_SECONDS)
    set(F_SECONDS 10)
  endif()
  add_test(NAME smoke_${F_NAME}
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/fuzz-smoke.sh $<TARGET_FILE:${F_NAME}>
                   "${F_CORPUS}" ${F_SECONDS})
  set_tests_properties(smoke_${F_NAME} PROPERTIES TIMEOUT 300 LABELS fuzz)
endfunction()
