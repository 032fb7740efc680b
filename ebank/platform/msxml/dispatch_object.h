// DispatchObject: the IUnknown, IDispatch and ISupportErrorInfo part shared by
// every COM object of the XML layer.
//
// Reference counts are atomic. Late binding is not offered (IDispatch answers
// E_NOTIMPL). Every interface an object supports reports errors through the
// thread error object.
#ifndef EBANK_PLATFORM_MSXML_DISPATCH_OBJECT_H_
#define EBANK_PLATFORM_MSXML_DISPATCH_OBJECT_H_

#include <atomic>

#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/guid.h"

namespace ebank::platform::msxml {

template <typename Interface>
class DispatchObject : public Interface, public ISupportErrorInfo {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
      *object = static_cast<ISupportErrorInfo*>(this);
    } else if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || Supports(iid)) {
      *object = static_cast<Interface*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    return references_.fetch_add(1, std::memory_order_relaxed) + 1;
  }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
  }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count != nullptr) *count = 0;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    return E_NOTIMPL;
  }

  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override {
    return Supports(iid) ? S_OK : S_FALSE;
  }

  // The interface pointer that stands for the whole object.
  Interface* AsInterface() { return this; }

 protected:
  DispatchObject() = default;
  virtual ~DispatchObject() = default;
  // Whether the object offers interface `iid` (besides IUnknown and IDispatch).
  virtual bool Supports(REFIID iid) const = 0;

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_DISPATCH_OBJECT_H_
