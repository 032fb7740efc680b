// IClassFactory, through which COM activation creates objects of a class.
#ifndef EBANK_PLATFORM_COM_CLASS_FACTORY_H_
#define EBANK_PLATFORM_COM_CLASS_FACTORY_H_

#include "ebank/platform/com/unknown.h"

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

#endif  // EBANK_PLATFORM_COM_CLASS_FACTORY_H_
