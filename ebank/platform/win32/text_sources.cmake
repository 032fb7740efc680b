target_sources(ebankplatform PRIVATE
  code_page.cpp
  debug_output.cpp
  last_error.cpp
  local_memory.cpp
  temp_path.cpp)
