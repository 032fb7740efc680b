target_sources(ebank PRIVATE catch.cpp error_info_functions.cpp support_error_info.cpp)
