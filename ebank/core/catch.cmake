target_sources(ebank PRIVATE catch.cpp error_info_functions.cpp support_error_info.cpp)

ebank_add_tests(ebank_core_catch_test
  SOURCES
    catch_test.cpp
    error_info_functions_test.cpp
  LIBS ebank::ebank)
