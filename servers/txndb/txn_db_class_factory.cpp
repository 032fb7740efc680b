// The class factory of the reference transaction database server and the
// entry point through which COM activation reaches it.
#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/export.h"
#include "servers/txndb/orv_txn_db_accounts.h"
#include "servers/txndb/txn_db_server.h"

namespace ebank::txndb {
namespace {

class TxnDbClassFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  // The factory lives as long as the shared object; it is not counted.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return TxnDbServer::Create(iid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

TxnDbClassFactory g_factory;

}  // namespace
}  // namespace ebank::txndb

extern "C" EBANK_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_OrvTxnDB)) return CLASS_E_CLASSNOTAVAILABLE;
  return ebank::txndb::g_factory.QueryInterface(iid, object);
}
