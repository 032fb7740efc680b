target_sources(ebankplatform PRIVATE error_info.cpp)
