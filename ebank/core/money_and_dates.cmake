target_sources(ebank PRIVATE currency.cpp date.cpp)
ebank_add_tests(ebank_core_money_test
  SOURCES currency_test.cpp date_test.cpp swift_oracle.cpp
  LIBS ebank::ebank)
