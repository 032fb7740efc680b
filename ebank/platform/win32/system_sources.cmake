target_sources(ebankplatform PRIVATE
  elf_file.cpp
  elf_section_reader.cpp
  module.cpp
  module_image_check.cpp
  reg_file_parser.cpp
  registry.cpp
  registry_tree.cpp
  resource.cpp
  resource_section.cpp
  version_info.cpp)

# The section and file readers are internal; their tests compile them in.
ebank_add_tests(ebank_platform_win32_system_test
  SOURCES registry_test.cpp resource_section_test.cpp
          resource_section.cpp elf_file.cpp elf_section_reader.cpp reg_file_parser.cpp
          registry_tree.cpp
  LIBS ebank::platform)
