enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

set(VONDRELLEX_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/lsan.supp)

# Tests run from the top of the source tree, where the game finds its data.
# Each test's name starts with the prefix given, the folder of its sources,
# so that `ctest -R '^sim\.'` runs the tests of one executable.

# A GoogleTest executable that needs no display: leak detection stays on,
# with fontconfig's own start-up allocations suppressed.
function(vondrellex_headless_test target prefix)
  target_link_libraries(${target} PRIVATE GTest::gtest_main)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX ${prefix}.
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES ENVIRONMENT "LSAN_OPTIONS=suppressions=${VONDRELLEX_LSAN_SUPPRESSIONS};ALSOFT_DRIVERS=null")
endfunction()

# A GoogleTest executable that opens windows or rasterises text: it runs under
# Xvfb and skips itself when there is no display. Mesa leaks on its own, so
# leak detection is off for these.
function(vondrellex_display_test target prefix)
  target_link_libraries(${target} PRIVATE GTest::gtest_main)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX ${prefix}.
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES LABELS display ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0;ALSOFT_DRIVERS=null")
endfunction()
