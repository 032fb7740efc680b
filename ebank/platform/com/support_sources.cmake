target_sources(ebankplatform PRIVATE
  bstr_t.cpp
  com_error.cpp
  error_info.cpp)
