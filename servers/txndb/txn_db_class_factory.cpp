// The class factory of the reference transaction database server and the
// entry point through which COM activation reaches it.
#include "ebank/platform/com/simple_class_factory.h"
#include "ebank/platform/export.h"
#include "servers/txndb/orv_txn_db_accounts.h"
#include "servers/txndb/txn_db_server.h"

namespace ebank::txndb {
namespace {

// The factory lives as long as the shared object.
platform::SimpleClassFactory<TxnDbServer, platform::OwnedByScope> g_factory;

}  // namespace
}  // namespace ebank::txndb

extern "C" EBANK_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return ebank::platform::GetClassObjectOf(ebank::txndb::g_factory, CLSID_OrvTxnDB, clsid, iid,
                                           object);
}
