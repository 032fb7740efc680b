# The account records and the transaction database wrapper.
target_sources(ebank PRIVATE cdb_account.cpp konto_text.cpp account_info.cpp orv_txn_db_wrapper.cpp)
ebank_add_tests(ebank_banking_test
  SOURCES cdb_account_test.cpp konto_text_test.cpp account_info_test.cpp
  LIBS ebank::ebank)
