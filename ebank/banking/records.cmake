# The account records and the transaction database wrapper.
target_sources(ebank PRIVATE cdb_account.cpp account_info.cpp orv_txn_db_wrapper.cpp)
