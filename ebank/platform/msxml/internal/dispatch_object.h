// DispatchObject: the IUnknown, IDispatch and ISupportErrorInfo part shared by
// every COM object of the XML layer.
//
// Reference counts are atomic. Late binding is not offered (IDispatch answers
// E_NOTIMPL). Every interface an object supports reports errors through the
// thread error object.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_DISPATCH_OBJECT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_DISPATCH_OBJECT_H_

#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/without_late_binding.h"

namespace ebank::platform::msxml {

template <typename Interface>
class DispatchObject : public ComObject<Implements<WithoutLateBinding<Interface>, &IID_IDispatch>,
                                        Implements<ISupportErrorInfo, &IID_ISupportErrorInfo>> {
 public:
  // Adds the interfaces the object itself says it supports to those of the
  // base, which answers IUnknown, IDispatch and ISupportErrorInfo.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr || !Supports(iid)) return Base::QueryInterface(iid, object);
    *object = AsInterface();
    this->AddRef();
    return S_OK;
  }

  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override {
    return Supports(iid) ? S_OK : S_FALSE;
  }

  // The interface pointer that stands for the whole object.
  Interface* AsInterface() { return this; }

 protected:
  DispatchObject() = default;
  ~DispatchObject() override = default;
  // Whether the object offers interface `iid` (besides IUnknown and IDispatch).
  virtual bool Supports(REFIID iid) const = 0;

 private:
  using Base = ComObject<Implements<WithoutLateBinding<Interface>, &IID_IDispatch>,
                         Implements<ISupportErrorInfo, &IID_ISupportErrorInfo>>;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_DISPATCH_OBJECT_H_
