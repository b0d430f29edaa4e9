# tesk_add_test(NAME name LABEL label SOURCES ... [LIBS ...])
# One GoogleTest executable; every test case becomes its own CTest test (its own process),
# labelled by the library it covers. LeakSanitizer's exit scan does not read thread storage: the
# storage of libraries loaded and unloaded at run time (Mesa's drivers) made it crash, depending on
# the process's layout ("Tracer caught signal 11"). Mesa's software rasterizer draws on the calling
# thread. Leaks that libraries make when they load are suppressed by lsan.supp.
find_package(GTest REQUIRED)
include(GoogleTest)

function(tesk_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${T_LABEL} ENVIRONMENT LSAN_OPTIONS=use_tls=0:print_suppressions=0:suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp
    ENVIRONMENT_MODIFICATION LP_NUM_THREADS=set:0)
endfunction()
