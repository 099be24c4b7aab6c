# Windows build: both programs, the CLI, the Windows-side tests and benchmarks. The core is built
# once; the two editions differ in the painter they link.
tessel_layer(render_layered render/layered tessel_render)
tessel_layer(render_classic render/classic tessel_render)

# The sync's transport, password store and XML reader: winhttp, advapi32 (credentials), shlwapi
# (memory streams); the tests' own loopback servers: ws2_32; the screen readers' objects: oleacc,
# ole32, oleaut32.
set(WIN_LIBS gdiplus gdi32 user32 shell32 comctl32 comdlg32 imm32 msimg32 oleacc ole32 oleaut32 winhttp advapi32
    shlwapi ws2_32 kernel32)
# Every layer may call the system; its libraries come after all of ours on the link line.
foreach(layer base config calendar memo sync view render settings app cli render_layered render_classic)
  target_link_libraries(tessel_${layer} INTERFACE ${WIN_LIBS})
endforeach()
set(STATIC_LINK -static -static-libgcc -static-libstdc++)
set(RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/resources/tessel.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources -I${CMAKE_BINARY_DIR}/resources")
enable_language(RC)

# The icon and the operation buttons' bitmaps are drawn as text (resources/icon.txt,
# resources/buttons.txt); host-built generators turn them into tessel.ico and one button<ID>.bmp
# per picture at build time, before the resource script that holds them is compiled.
find_program(HOST_CXX NAMES g++ c++ REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/resources ${CMAKE_BINARY_DIR}/tools)
foreach(tool make_icon make_bitmaps)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tools/${tool}
                     COMMAND ${HOST_CXX} -std=c++20 -O1 -Wall -Wextra -o ${CMAKE_BINARY_DIR}/tools/${tool}
                             ${CMAKE_SOURCE_DIR}/tools/${tool}.cpp
                     DEPENDS ${CMAKE_SOURCE_DIR}/tools/${tool}.cpp
                     COMMENT "Building the resource generator ${tool}")
endforeach()
set(ICON_FILE ${CMAKE_BINARY_DIR}/resources/tessel.ico)
add_custom_command(OUTPUT ${ICON_FILE}
                   COMMAND ${CMAKE_BINARY_DIR}/tools/make_icon ${CMAKE_SOURCE_DIR}/resources/icon.txt ${ICON_FILE}
                   DEPENDS ${CMAKE_BINARY_DIR}/tools/make_icon ${CMAKE_SOURCE_DIR}/resources/icon.txt
                   COMMENT "Drawing the icon")

# Which pictures there are is read from the text at configure time; it is configured again when
# the text changes.
set(BUTTONS_TEXT ${CMAKE_SOURCE_DIR}/resources/buttons.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${BUTTONS_TEXT})
file(STRINGS ${BUTTONS_TEXT} BUTTON_HEADERS REGEX "^bitmap [0-9]+ ")
set(BUTTON_BITMAPS)
foreach(header ${BUTTON_HEADERS})
  string(REGEX REPLACE "^bitmap ([0-9]+) .*" "\\1" id "${header}")
  list(APPEND BUTTON_BITMAPS ${CMAKE_BINARY_DIR}/resources/button${id}.bmp)
endforeach()
add_custom_command(OUTPUT ${BUTTON_BITMAPS}
                   COMMAND ${CMAKE_BINARY_DIR}/tools/make_bitmaps ${BUTTONS_TEXT} ${CMAKE_BINARY_DIR}/resources
                   DEPENDS ${CMAKE_BINARY_DIR}/tools/make_bitmaps ${BUTTONS_TEXT}
                   COMMENT "Drawing the button bitmaps")
add_custom_target(tessel_resources DEPENDS ${ICON_FILE} ${BUTTON_BITMAPS})

set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS
                            "${ICON_FILE};${BUTTON_BITMAPS};${CMAKE_SOURCE_DIR}/resources/tessel.manifest")

function(tessel_program name painter)
  add_executable(${name} WIN32 ${CMAKE_SOURCE_DIR}/app/main_win.cpp ${RESOURCE_SCRIPT})
  add_dependencies(${name} tessel_resources)
  tessel_target(${name})
  target_link_libraries(${name} PRIVATE tessel_app ${painter} ${WIN_LIBS})
  target_link_options(${name} PRIVATE ${STATIC_LINK} -mwindows)
endfunction()
tessel_program(desk-calendar tessel_render_layered)
tessel_program(desk-calendar-classic tessel_render_classic)

# The sync command joins the Windows companion with its transport (WinHTTP, XmlLite, Credential
# Manager in sync/*_win.cpp); until that is in the tree the Windows companion has no sync command.
if(NOT EXISTS ${CMAKE_SOURCE_DIR}/sync/http_transport_win.cpp)
  get_target_property(cli_sources tessel_cli SOURCES)
  list(FILTER cli_sources EXCLUDE REGEX "/sync_commands\\.cpp$")
  set_property(TARGET tessel_cli PROPERTY SOURCES ${cli_sources})
  target_compile_definitions(tessel_cli PRIVATE TESSEL_NO_SYNC_COMMAND)
endif()
# The Windows companion reads time zones from the table built into it.
target_sources(tessel_sync PRIVATE ${ZONE_RULES_CPP})
add_executable(desk-calendar-cli ${CMAKE_SOURCE_DIR}/cli/cli_main.cpp)
tessel_target(desk-calendar-cli)
target_link_libraries(desk-calendar-cli PRIVATE tessel_cli ${WIN_LIBS})
target_link_options(desk-calendar-cli PRIVATE ${STATIC_LINK})

# GoogleTest cross-built from its sources (Debian's googletest package puts them in /usr/src;
# GOOGLETEST_SOURCE_DIR names another copy).
find_path(GOOGLETEST_SOURCE_DIR NAMES googletest/include/gtest/gtest.h
          PATHS /usr/src/googletest /usr/local/src/googletest /usr/src/gtest NO_CMAKE_FIND_ROOT_PATH
          DOC "GoogleTest's source tree, cross-built for the Windows tests")
if(NOT GOOGLETEST_SOURCE_DIR)
  message(FATAL_ERROR "GoogleTest's sources were not found: install googletest or set GOOGLETEST_SOURCE_DIR")
endif()
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(WIN_TESTS ${TEST_SOURCES})
list(FILTER WIN_TESTS INCLUDE REGEX "_win_test\\.cpp$")
# No Windows test sources yet: no test programs (an executable without sources does not link).
if(NOT WIN_TESTS)
  set(WIN_TEST_EDITIONS)
else()
  set(WIN_TEST_EDITIONS layered classic)
endif()
foreach(edition ${WIN_TEST_EDITIONS})
  add_executable(win_tests_${edition} ${WIN_TESTS} ${RESOURCE_SCRIPT})
  add_dependencies(win_tests_${edition} tessel_resources)
  tessel_target(win_tests_${edition})
  # The tests are built once per painter; TESSEL_CLASSIC tells them which one they run against.
  if(edition STREQUAL "classic")
    target_compile_definitions(win_tests_${edition} PRIVATE TESSEL_CLASSIC=1)
  else()
    target_compile_definitions(win_tests_${edition} PRIVATE TESSEL_CLASSIC=0)
  endif()
  target_link_libraries(win_tests_${edition} PRIVATE tessel_app tessel_render_${edition} tessel_cli gtest_main
                        ${WIN_LIBS})
  target_link_options(win_tests_${edition} PRIVATE ${STATIC_LINK})
endforeach()

set(WIN_BENCH ${BENCH_SOURCES})
list(FILTER WIN_BENCH INCLUDE REGEX "_win\\.cpp$")
# The resources go in too: a benchmark may open the program's dialogs.
foreach(src ${WIN_BENCH})
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_${name} ${src} ${RESOURCE_SCRIPT})
  add_dependencies(bench_${name} tessel_resources)
  tessel_target(bench_${name})
  if(name MATCHES "classic")
    target_link_libraries(bench_${name} PRIVATE tessel_app tessel_render_classic ${WIN_LIBS})
  else()
    target_link_libraries(bench_${name} PRIVATE tessel_app tessel_render_layered ${WIN_LIBS})
  endif()
  target_link_options(bench_${name} PRIVATE ${STATIC_LINK})
endforeach()
