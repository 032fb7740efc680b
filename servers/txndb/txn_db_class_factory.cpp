// The class factory of the reference transaction database server, the entry
// point through which COM activation reaches it, and the module's set-up.
#include <libxml/parser.h>

#include "ebank/banking/orv_txn_db_accounts.h"
#include "ebank/platform/com/simple_class_factory.h"
#include "ebank/platform/export.h"
#include "servers/txndb/txn_db_server.h"

namespace ebank::txndb {
namespace {

// The factory lives as long as the shared object.
platform::SimpleClassFactory<TxnDbServer, platform::OwnedByScope> g_factory;

// libxml2 sets up its globals on first use, and that set-up races when
// several threads parse at once (each server object parses on its caller's
// thread). Set it up once when the module is loaded, before any object exists.
__attribute__((constructor)) void InitializeXmlParser() {
  xmlInitParser();
}

}  // namespace
}  // namespace ebank::txndb

extern "C" EBANK_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return ebank::platform::GetClassObjectOf(ebank::txndb::g_factory, CLSID_OrvTxnDB, clsid, iid,
                                           object);
}
