target_sources(ebankplatform PRIVATE
  activation.cpp
  apartment.cpp
  class_table.cpp
  guid_string.cpp
  task_memory.cpp)

ebank_add_tests(ebank_platform_com_activation_test
  SOURCES class_table_test.cpp guid_string_test.cpp
  LIBS ebank::platform)
