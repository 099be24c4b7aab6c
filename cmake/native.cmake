# Native build: the portable core, its tests, the benchmarks without Windows and the CLI.
# With WIN_BUILD_DIR set, the Windows-side tests join the same CTest run under Wine.
find_package(GTest REQUIRED)
include(GoogleTest)

set(NATIVE_CORE ${CORE_SOURCES})
list(FILTER NATIVE_CORE EXCLUDE REGEX "_win\\.cpp$")
set(NATIVE_TESTS ${TEST_SOURCES})
list(FILTER NATIVE_TESTS EXCLUDE REGEX "_win_test\\.cpp$")
set(NATIVE_BENCH ${BENCH_SOURCES})
list(FILTER NATIVE_BENCH EXCLUDE REGEX "_win\\.cpp$")

tessel_library(tessel_core 0 "${NATIVE_CORE}")
tessel_library(tessel_core_classic 1 "${NATIVE_CORE}")
# A signed overflow in the core stops the test that ran into it, naming the line, instead of
# passing unnoticed with whatever value the overflow left.
foreach(core tessel_core tessel_core_classic)
  target_compile_options(${core} PRIVATE -fsanitize=signed-integer-overflow
                         -fno-sanitize-recover=signed-integer-overflow)
  target_link_options(${core} INTERFACE -fsanitize=signed-integer-overflow)
endforeach()

foreach(edition layered classic)
  if(edition STREQUAL "layered")
    set(core tessel_core)
    set(suffix "")
  else()
    set(core tessel_core_classic)
    set(suffix "_classic")
  endif()
  add_executable(core_tests${suffix} ${NATIVE_TESTS})
  tessel_target(core_tests${suffix})
  target_compile_definitions(core_tests${suffix} PRIVATE TESSEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                             TESSEL_CLI="$<TARGET_FILE:desk-calendar-cli>")
  target_link_libraries(core_tests${suffix} PRIVATE ${core} GTest::gtest_main)
  gtest_discover_tests(core_tests${suffix} TEST_PREFIX "native${suffix}." DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 300)
endforeach()

add_executable(desk-calendar-cli ${CMAKE_SOURCE_DIR}/app/cli_main.cpp)
tessel_target(desk-calendar-cli)
target_link_libraries(desk-calendar-cli PRIVATE tessel_core)

foreach(src ${NATIVE_BENCH})
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_${name} ${src})
  tessel_target(bench_${name})
  target_link_libraries(bench_${name} PRIVATE tessel_core)
endforeach()

if(WIN_BUILD_DIR)
  include(${CMAKE_SOURCE_DIR}/cmake/wine_tests.cmake)
endif()
