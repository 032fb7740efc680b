ebank_add_tests(ebank_core_iptr_test SOURCES iptr_test.cpp LIBS ebank::ebank)
