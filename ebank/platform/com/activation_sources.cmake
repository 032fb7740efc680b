target_sources(ebankplatform PRIVATE
  activation.cpp
  apartment.cpp
  class_table.cpp
  guid_string.cpp
  task_memory.cpp)
