# tesk_add_test(NAME name LABEL label SOURCES ... [LIBS ...])
# One GoogleTest executable; every test case becomes its own CTest test (its own process),
# labelled by the library it covers. Mesa's software rasterizer draws on the calling thread: its
# worker threads' dynamic thread storage makes LeakSanitizer's exit scan crash now and then.
find_package(GTest REQUIRED)
include(GoogleTest)

function(tesk_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${T_LABEL} ENVIRONMENT LP_NUM_THREADS=0)
endfunction()
