# Native build: the portable core, its tests, the benchmarks without Windows and the CLI.
# With WIN_BUILD_DIR set, the Windows-side tests join the same CTest run under Wine.
find_package(GTest REQUIRED)
# The companion's CalDAV transport: Debian's libcurl and libxml2.
find_package(CURL REQUIRED)
find_package(LibXml2 REQUIRED)
target_link_libraries(tessel_sync PUBLIC CURL::libcurl LibXml2::LibXml2)
include(GoogleTest)

# A signed overflow in the core stops the test that ran into it, naming the line, instead of
# passing unnoticed with whatever value the overflow left.
foreach(layer base config calendar memo sync view render settings app cli)
  target_compile_options(tessel_${layer} PRIVATE -fsanitize=signed-integer-overflow
                         -fno-sanitize-recover=signed-integer-overflow)
  target_link_options(tessel_${layer} INTERFACE -fsanitize=signed-integer-overflow)
endforeach()

set(NATIVE_TESTS ${TEST_SOURCES})
list(FILTER NATIVE_TESTS EXCLUDE REGEX "_win_test\\.cpp$")
set(NATIVE_BENCH ${BENCH_SOURCES})
list(FILTER NATIVE_BENCH EXCLUDE REGEX "_win\\.cpp$")

add_executable(desk-calendar-cli ${CMAKE_SOURCE_DIR}/cli/cli_main.cpp)
tessel_target(desk-calendar-cli)
target_link_libraries(desk-calendar-cli PRIVATE tessel_cli)

add_executable(core_tests ${NATIVE_TESTS})
tessel_target(core_tests)
target_compile_definitions(core_tests PRIVATE TESSEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                           TESSEL_CLI="$<TARGET_FILE:desk-calendar-cli>")
target_link_libraries(core_tests PRIVATE tessel_app tessel_cli GTest::gtest_main)
# The zone table the Windows companion carries, checked against the zone files it was made from.
target_sources(core_tests PRIVATE ${ZONE_RULES_CPP})
gtest_discover_tests(core_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)

foreach(src ${NATIVE_BENCH})
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_${name} ${src})
  tessel_target(bench_${name})
  target_link_libraries(bench_${name} PRIVATE tessel_app)
  target_compile_definitions(bench_${name} PRIVATE TESSEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endforeach()

# The same tests built with AddressSanitizer and UBSan in their own tree (tools/build-asan.sh):
# one test that runs them all, failing on any report.
if(ASAN_BUILD_DIR)
  add_test(NAME sanitized.core_tests COMMAND ${ASAN_BUILD_DIR}/core_tests)
  set_tests_properties(sanitized.core_tests PROPERTIES TIMEOUT 900 ENVIRONMENT
                       "ASAN_OPTIONS=hard_rss_limit_mb=4096:detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

# The two-thread test of the stores alone, on the layers it needs: tools/build-tsan.sh builds it
# with ThreadSanitizer in build/tsan, and the CTest run runs that build, failing on any report.
add_executable(store_threads_test ${CMAKE_SOURCE_DIR}/tests/memo/stores_two_threads_test.cpp)
tessel_target(store_threads_test)
target_link_libraries(store_threads_test PRIVATE tessel_memo GTest::gtest_main)
if(TSAN_BUILD_DIR)
  add_test(NAME sanitized.store_threads COMMAND ${TSAN_BUILD_DIR}/store_threads_test)
  set_tests_properties(sanitized.store_threads PROPERTIES TIMEOUT 300 ENVIRONMENT
                       "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1")
endif()

if(WIN_BUILD_DIR)
  include(${CMAKE_SOURCE_DIR}/cmake/wine_tests.cmake)
endif()
