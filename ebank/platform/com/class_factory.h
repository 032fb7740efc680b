// IClassFactory, through which COM activation creates objects of a class.
#ifndef EBANK_PLATFORM_COM_CLASS_FACTORY_H_
#define EBANK_PLATFORM_COM_CLASS_FACTORY_H_

#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/unknown.h"
#include "ebank/platform/hresult.h"

struct IClassFactory : IUnknown {
  STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** object) = 0;  // slot 3
  STDMETHOD(LockServer)(BOOL lock) = 0;                                        // slot 4
};

// Class contexts of CoCreateInstance.
inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
inline constexpr DWORD CLSCTX_ALL = 0x17;

// Signature of the entry point an in-process server exports.
using DllGetClassObjectFunction = HRESULT (*)(REFCLSID clsid, REFIID riid, void** object);

namespace ebank::platform {

// The body of DllGetClassObject for a module that serves one class: hands out
// interface `riid` of `factory` when `clsid` is the class it serves.
inline HRESULT GetClassObjectOf(IClassFactory& factory, REFCLSID served, REFCLSID clsid,
                                REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, served)) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(riid, object);
}

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_COM_CLASS_FACTORY_H_
