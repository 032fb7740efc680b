// A scripted stand-in for the transaction database server: a COM object
// implementing IOrvTxnDB2 whose answers come from a TxnDBTestState and which
// records every call and reference count there. Objects are owned by the
// state, so a Release past zero is counted instead of freeing twice.
#ifndef EBANK_BANKING_TESTING_TEST_TXN_DB_H_
#define EBANK_BANKING_TESTING_TEST_TXN_DB_H_

#include <memory>
#include <string>
#include <vector>

#include "ebank/banking/internal/orv_txn_db2_unused_slots.h"
#include "ebank/banking/orv_txn_db2.h"
#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/without_late_binding.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ebank::testing {

// {8E2A41C7-5B0D-4E19-A1F3-6C7D9B2E4F10}, the class registered under the
// server's ProgID in the tests.
inline constexpr CLSID CLSID_TestTxnDB = {
    0x8E2A41C7, 0x5B0D, 0x4E19, {0xA1, 0xF3, 0x6C, 0x7D, 0x9B, 0x2E, 0x4F, 0x10}};

class TestTxnDB;

struct TxnDBTestState {
  // What the server answers.
  HRESULT connect_result = S_OK;
  HRESULT disconnect_result = S_OK;
  HRESULT accounts_result = S_OK;
  std::wstring accounts_text = L"<KONTEN/>";
  bool accounts_null = false;  // leave the out text null
  HRESULT find_result = S_OK;
  bool find_writes_key = true;
  LONG find_key = -1;

  // What the server saw: one entry per call ("Connect <request>",
  // "Disconnect", "GetAccounts <selector>", "FindAccount <text>").
  std::vector<std::wstring> calls;
  std::vector<std::unique_ptr<TestTxnDB>> objects;
  int over_releases = 0;

  // References still held on any object made so far.
  ULONG OutstandingReferences() const;
  // A new object, not yet referenced.
  TestTxnDB* Create();
};

class TestTxnDB final
    : public banking::UnusedOrvTxnDB2Slots<platform::WithoutLateBinding<IOrvTxnDB2>> {
 public:
  explicit TestTxnDB(TxnDBTestState& state) : state_(state) {}

  ULONG references() const { return references_; }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
        !IsEqualIID(iid, IID_IOrvTxnDB2)) {
      return E_NOINTERFACE;
    }
    *object = static_cast<IOrvTxnDB2*>(this);
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    if (references_ == 0) {
      ++state_.over_releases;
      return 0;
    }
    return --references_;
  }

  STDMETHODIMP Connect(BSTR request) override {
    state_.calls.push_back(L"Connect " + TextOf(request));
    return state_.connect_result;
  }
  STDMETHODIMP Disconnect() override {
    state_.calls.push_back(L"Disconnect");
    return state_.disconnect_result;
  }
  STDMETHODIMP GetAccounts(LONG selector, BSTR* accounts) override {
    state_.calls.push_back(L"GetAccounts " + std::to_wstring(selector));
    if (accounts == nullptr) return E_POINTER;
    if (!state_.accounts_null) *accounts = SysAllocString(state_.accounts_text.c_str());
    return state_.accounts_result;
  }
  STDMETHODIMP FindAccount(BSTR konto, LONG* key) override {
    state_.calls.push_back(L"FindAccount " + TextOf(konto));
    if (key == nullptr) return E_POINTER;
    if (state_.find_writes_key) *key = state_.find_key;
    return state_.find_result;
  }

 private:
  static std::wstring TextOf(BSTR text) {
    return text == nullptr ? L"<null>" : std::wstring(text, SysStringLen(text));
  }

  TxnDBTestState& state_;
  ULONG references_ = 0;
};

inline ULONG TxnDBTestState::OutstandingReferences() const {
  ULONG total = 0;
  for (const auto& object : objects) total += object->references();
  return total;
}

inline TestTxnDB* TxnDBTestState::Create() {
  objects.push_back(std::make_unique<TestTxnDB>(*this));
  return objects.back().get();
}

// Makes a new server object for each CreateInstance; the factory lives as
// long as the scope that holds it.
class TestTxnDBFactory final
    : public platform::ScopedComObject<platform::Implements<IClassFactory, &IID_IClassFactory>> {
 public:
  explicit TestTxnDBFactory(TxnDBTestState& state) : state_(state) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return state_.Create()->QueryInterface(iid, object);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  TxnDBTestState& state_;
};

}  // namespace ebank::testing

#endif  // EBANK_BANKING_TESTING_TEST_TXN_DB_H_
