# ebank_add_tests(<name> SOURCES <files...> [LIBS <targets...>])
#   One GoogleTest executable per source folder; each test case becomes a ctest.
function(ebank_add_tests name)
  if(NOT EBANK_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main
                                        ebank_build_flags)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120
                       PROPERTIES ENVIRONMENT "EBANK_REGISTRY=/nonexistent/ebank-test.reg")
endfunction()

# ebank_add_benchmark(<name> SOURCES <files...> [LIBS <targets...>])
#   A Google Benchmark program; ctest runs it once as a smoke test, never timed.
#   Only the release preset builds benchmarks: elsewhere they would measure nothing.
function(ebank_add_benchmark name)
  if(NOT EBANK_BUILD_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} "${PROJECT_SOURCE_DIR}/bench/steady_heap_main.cpp")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark ebank_build_flags)
  add_test(NAME ${name}.smoke COMMAND ${name} --benchmark_min_time=0)
endfunction()
