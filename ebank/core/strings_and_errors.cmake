target_sources(ebank PRIVATE
  ansi_bstr.cpp
  copy_bstr.cpp
  error.cpp
  error_info_exception.cpp
  exception.cpp
  raise.cpp)
