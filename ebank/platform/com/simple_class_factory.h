// SimpleClassFactory: the class factory of a class whose objects are made by
// its default constructor — each CreateInstance makes a new T and hands out
// the requested interface of it. Aggregation is not supported.
#ifndef EBANK_PLATFORM_COM_SIMPLE_CLASS_FACTORY_H_
#define EBANK_PLATFORM_COM_SIMPLE_CLASS_FACTORY_H_

#include <new>

#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/com_object.h"

namespace ebank::platform {

// `T` is a ComObject (it starts with the creator's reference). A factory kept
// in a static or a local uses `Lifetime = OwnedByScope`.
template <class T, class Lifetime = DeletedAtLastRelease>
class SimpleClassFactory final
    : public BasicComObject<Lifetime, Implements<IClassFactory, &IID_IClassFactory>> {
 public:
  SimpleClassFactory() = default;
  ~SimpleClassFactory() override = default;

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    T* created = new (std::nothrow) T();
    if (created == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_COM_SIMPLE_CLASS_FACTORY_H_
