# Wine prefixes besides the build tree's own, for Windows tests that need another display
# density or Windows version. Each is a copy of the build tree's prefix with its registry
# settings, made once at build time, never per test run.

# brasmire_add_wine_prefix(NAME <name> [LOGPIXELS <dpi>] [VERSION <win7|win10|...>])
# Target wineprefix_<name>; the prefix is ${CMAKE_BINARY_DIR}/wineprefix-<name>. Declaring the
# same name again (with the same settings) is harmless.
function(brasmire_add_wine_prefix)
  cmake_parse_arguments(P "" "NAME;LOGPIXELS;VERSION" "" ${ARGN})
  if(NOT WIN32 OR TARGET wineprefix_${P_NAME})
    return()
  endif()
  set(settings)
  if(P_LOGPIXELS)
    list(APPEND settings --logpixels ${P_LOGPIXELS})
  endif()
  if(P_VERSION)
    list(APPEND settings --version ${P_VERSION})
  endif()
  set(script ${PROJECT_SOURCE_DIR}/scripts/wine-prefix-variant.sh)
  set(dir ${CMAKE_BINARY_DIR}/wineprefix-${P_NAME})
  add_custom_command(OUTPUT ${dir}/.ready
    COMMAND ${script} ${BRASMIRE_WINEPREFIX} ${dir} ${settings}
    DEPENDS ${script}
    COMMENT "Wine prefix ${P_NAME}: ${settings}"
    VERBATIM)
  add_custom_target(wineprefix_${P_NAME} ALL DEPENDS ${dir}/.ready)
endfunction()

# brasmire_add_wine_test(NAME <test> TARGET <executable> PREFIX <name> [SCREEN <WxH>]
#                        [TIMEOUT <s>] [ARGS ...])
# Runs a test executable in a prefix of brasmire_add_wine_prefix; with SCREEN, on an X
# screen of its own of that size (for windows larger than the default virtual screen).
function(brasmire_add_wine_test)
  cmake_parse_arguments(T "" "NAME;TARGET;PREFIX;SCREEN;TIMEOUT" "ARGS" ${ARGN})
  if(NOT WIN32 OR NOT BRASMIRE_BUILD_TESTS)
    return()
  endif()
  set(command ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix-${T_PREFIX}
              $<TARGET_FILE:${T_TARGET}> --gtest_color=no ${T_ARGS})
  if(T_SCREEN)
    set(command xvfb-run -a -s "-screen 0 ${T_SCREEN}x24" ${command})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${command} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(NOT T_SCREEN)
    brasmire_shares_desktop(${T_NAME})
  endif()
  add_dependencies(${T_TARGET} wineprefix_${T_PREFIX})
endfunction()

# brasmire_shares_desktop(<test>...): the tests open windows on the shared X display, where
# one test's window can take the focus or the clipboard from another's: they run one at a
# time, beside the tests that open none.
function(brasmire_shares_desktop)
  set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK desktop)
endfunction()
