# The ATL-style string holder and its exception object.
target_sources(ebankplatform PRIVATE atl_bstr.cpp)
ebank_add_tests(ebank_platform_com_atl_test
  SOURCES atl_bstr_test.cpp
  LIBS ebank::platform)
