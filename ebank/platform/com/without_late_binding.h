// WithoutLateBinding: the IDispatch methods for an object that offers only
// early binding, each answering E_NOTIMPL, so that the derived interface's
// own methods keep their vtable slots.
#ifndef EBANK_PLATFORM_COM_WITHOUT_LATE_BINDING_H_
#define EBANK_PLATFORM_COM_WITHOUT_LATE_BINDING_H_

#include "ebank/platform/com/dispatch.h"

namespace ebank::platform {

template <class DispatchInterface>
class WithoutLateBinding : public DispatchInterface {
 public:
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
};

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_COM_WITHOUT_LATE_BINDING_H_
