target_sources(ebank PRIVATE orv_txn_db2.cpp)
