target_sources(ebankplatform PRIVATE
  elf_section_reader.cpp
  module.cpp
  reg_file_parser.cpp
  registry.cpp
  resource.cpp
  resource_section.cpp
  version_info.cpp)
