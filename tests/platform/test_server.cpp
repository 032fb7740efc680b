// A minimal in-process COM server for the activation tests: it serves the
// counter class through its exported DllGetClassObject.
#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/simple_class_factory.h"
#include "ebank/platform/export.h"
#include "tests/platform/test_counter.h"

namespace {

using ebank::platform::ComObject;
using ebank::platform::Implements;

class Counter final : public ComObject<Implements<ITestCounter, &IID_ITestCounter>> {
 public:
  STDMETHODIMP Increment(LONG* value) override {
    if (value == nullptr) return E_POINTER;
    *value = ++count_;
    return S_OK;
  }

 private:
  LONG count_ = 0;
};

// The factory lives as long as the loaded module.
ebank::platform::SimpleClassFactory<Counter, ebank::platform::OwnedByScope> g_factory;

}  // namespace

extern "C" EBANK_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return ebank::platform::GetClassObjectOf(g_factory, CLSID_TestCounter, clsid, iid, object);
}
