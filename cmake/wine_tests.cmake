# Windows-side tests in the native tree's CTest run, under one Wine session (tools/wine-session.sh).
# Included by cmake/native.cmake when WIN_BUILD_DIR names the win64 build folder.
#
#   wine.setup    starts the session (private Xvfb, prefix build/wine/prefix, persistent server)
#   wine.<exe>    each Windows GoogleTest program, run as `env LC_ALL=ja_JP.UTF-8 wine <exe>`
#   e2e.<name>    each end-to-end script tests/**/<name>_e2e.sh
#   ….cp1252      each of them again with TESSEL_LOCALE=en_US.UTF-8 (code page 1252)
#   wine.cleanup  stops the session
# All of them run one at a time (RUN_SERIAL): they share one display and one prefix.
#
# End-to-end script convention:
#   - run as `bash script` with the session's environment exported (DISPLAY, WINEPREFIX,
#     WINEARCH=win64, WINEDEBUG=-all, WINESERVER) and
#       TESSEL_WIN_BUILD   the win64 build folder (desk-calendar.exe, desk-calendar-classic.exe,
#                          desk-calendar-cli.exe)
#       TESSEL_SOURCE_DIR  the repository; data/*.ini are the data files the programs ship
#       TESSEL_TEST_TMP    a fresh, empty folder for this test alone
#   - it copies the programs and the data files it needs into a folder under $TESSEL_TEST_TMP
#     and runs them as `env LC_ALL=${TESSEL_LOCALE:-ja_JP.UTF-8} wine "$dir/desk-calendar.exe" ...`
#     (code page 932, or 1252 in the .cp1252 runs);
#   - it may use xdotool and import (ImageMagick) on $DISPLAY (1280x1024, no window manager);
#   - it kills what it starts; exit 0 = pass, non-zero = fail. Programs still running when it
#     ends are ended by the harness and named in the test's output.
# The Windows GoogleTest programs get the same TESSEL_* variables (TESSEL_TEST_TMP is then a
# fresh folder for that program) and run with the win64 build folder as working directory.

set(WINE_SESSION ${CMAKE_SOURCE_DIR}/tools/wine-session.sh)
set(WINE_TEST_TMP ${CMAKE_BINARY_DIR}/wine-tmp)

add_test(NAME wine.setup COMMAND bash ${WINE_SESSION} start)
set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine RUN_SERIAL TRUE TIMEOUT 180
                     COST 100000)
add_test(NAME wine.cleanup COMMAND bash ${WINE_SESSION} stop)
set_tests_properties(wine.cleanup PROPERTIES FIXTURES_CLEANUP wine RUN_SERIAL TRUE TIMEOUT 60
                     COST -100000)

function(tessel_wine_test_in name locale)
  add_test(NAME ${name} COMMAND bash ${WINE_SESSION} e2e ${ARGN})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine
    RUN_SERIAL TRUE
    TIMEOUT 600
    WORKING_DIRECTORY ${WIN_BUILD_DIR}
    ENVIRONMENT "TESSEL_WIN_BUILD=${WIN_BUILD_DIR};TESSEL_SOURCE_DIR=${CMAKE_SOURCE_DIR};TESSEL_TEST_TMP=${WINE_TEST_TMP}/${name};TESSEL_LOCALE=${locale}")
endfunction()

# Each Windows test runs twice: under the Japanese system locale (code page 932) as name, and
# under an English one (code page 1252) as name.cp1252, for the calendar must be the same on any
# Windows whatever its language setting.
function(tessel_wine_test name)
  tessel_wine_test_in(${name} ja_JP.UTF-8 ${ARGN})
  tessel_wine_test_in(${name}.cp1252 en_US.UTF-8 ${ARGN})
endfunction()

# Registered from the sources, not from what is built: a Windows test program that failed to
# build then shows as a failing test instead of silently disappearing.
file(GLOB_RECURSE WINE_GTEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_win_test.cpp)
if(WINE_GTEST_SOURCES)
  foreach(edition layered classic)
    tessel_wine_test(wine.win_tests_${edition} ${CMAKE_SOURCE_DIR}/tools/wine-gtest.sh
                     ${WIN_BUILD_DIR}/win_tests_${edition}.exe)
  endforeach()
endif()

file(GLOB_RECURSE E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_e2e.sh)
list(SORT E2E_SCRIPTS)
foreach(script ${E2E_SCRIPTS})
  # tests/win/startup_e2e.sh -> e2e.win.startup
  file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR}/tests ${script})
  string(REGEX REPLACE "_e2e\\.sh$" "" name ${name})
  string(REPLACE "/" "." name ${name})
  if(name STREQUAL "app.code_pages")
    tessel_wine_test_in(e2e.${name} ja_JP.UTF-8 ${script})  # runs both code pages itself
  else()
    tessel_wine_test(e2e.${name} ${script})
  endif()
endforeach()
