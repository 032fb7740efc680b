target_sources(ebankplatform PRIVATE
  reg_file_parser.cpp
  registry.cpp)
