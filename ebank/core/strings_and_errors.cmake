target_sources(ebank PRIVATE
  ansi_bstr.cpp
  copy_bstr.cpp
  error.cpp
  error_info_exception.cpp
  exception.cpp
  raise.cpp)
ebank_add_tests(ebank_core_strings_test
  SOURCES bstring_test.cpp copy_bstr_test.cpp error_info_exception_test.cpp error_test.cpp
          exception_test.cpp raise_test.cpp
  LIBS ebank::ebank)
