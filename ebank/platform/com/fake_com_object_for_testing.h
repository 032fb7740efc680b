// A counted COM object and its class factory for the tests of the COM support
// classes and the error model: answers IUnknown, IDispatch and
// ISupportErrorInfo, and reports how many references are outstanding.
#ifndef EBANK_PLATFORM_COM_FAKE_COM_OBJECT_FOR_TESTING_H_
#define EBANK_PLATFORM_COM_FAKE_COM_OBJECT_FOR_TESTING_H_

#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/hresult.h"

namespace ebank::testing {

class FakeComObject final : public IDispatch, public ISupportErrorInfo {
 public:
  // `supports_error_info` is what InterfaceSupportsErrorInfo answers.
  explicit FakeComObject(HRESULT supports_error_info = S_OK)
      : supports_error_info_(supports_error_info) {}

  ULONG references() const { return references_; }

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(riid, IID_ISupportErrorInfo)) {
      *object = static_cast<ISupportErrorInfo*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    return E_NOTIMPL;
  }

  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return supports_error_info_; }

 private:
  ~FakeComObject() = default;

  HRESULT supports_error_info_;
  ULONG references_ = 1;
};

class FakeClassFactory final : public IClassFactory {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    FakeComObject* created = new FakeComObject();
    const HRESULT hresult = created->QueryInterface(riid, object);
    created->Release();
    return hresult;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  ~FakeClassFactory() = default;

  ULONG references_ = 1;
};

}  // namespace ebank::testing

#endif  // EBANK_PLATFORM_COM_FAKE_COM_OBJECT_FOR_TESTING_H_
