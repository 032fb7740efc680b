// The scripted transaction database server as an in-process server module:
// DllGetClassObject serves it, and TestTxnDBState hands the tests the state
// that scripts its answers and records its calls.
#include "ebank/banking/testing/test_txn_db.h"
#include "ebank/platform/export.h"

namespace {

using ebank::testing::TxnDBTestState;

TxnDBTestState g_state;
ebank::testing::TestTxnDBFactory g_factory(g_state);

}  // namespace

extern "C" EBANK_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return ebank::platform::GetClassObjectOf(g_factory, ebank::testing::CLSID_TestTxnDB, clsid, iid,
                                           object);
}

extern "C" EBANK_EXPORT TxnDBTestState* TestTxnDBState() {
  return &g_state;
}
