target_sources(ebankplatform PRIVATE
  bstr_t.cpp
  com_error.cpp
  error_info.cpp
  failure_report.cpp
  variant_t.cpp)
ebank_add_tests(ebank_platform_com_support_test
  SOURCES bstr_t_test.cpp com_error_test.cpp com_object_test.cpp com_ptr_test.cpp error_info_test.cpp
          simple_class_factory_test.cpp variant_t_test.cpp
  LIBS ebank::platform)
