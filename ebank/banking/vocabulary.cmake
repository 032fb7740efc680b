# The module's shared vocabulary: constants, element paths and templates.
target_sources(ebank PRIVATE ebank_const.cpp ifx.cpp ebank_xml.cpp)
ebank_add_tests(ebank_vocabulary_test
  SOURCES vocabulary_test.cpp vocabulary_xml_test.cpp
  LIBS ebank::ebank)
