// IUnknown, the root of every COM interface.
//
// Interfaces are abstract classes whose virtual functions, in declaration
// order, are the vtable slots; like Windows interfaces they have no virtual
// destructor, so an object is destroyed only through its final Release.
#ifndef EBANK_PLATFORM_COM_UNKNOWN_H_
#define EBANK_PLATFORM_COM_UNKNOWN_H_

#include "ebank/platform/com/guid.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"

#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE

struct IUnknown {
  STDMETHOD(QueryInterface)(REFIID riid, void** object) = 0;  // slot 0
  STDMETHOD_(ULONG, AddRef)() = 0;                            // slot 1
  STDMETHOD_(ULONG, Release)() = 0;                           // slot 2

 protected:
  IUnknown() = default;
  IUnknown(const IUnknown&) = default;
  IUnknown& operator=(const IUnknown&) = default;
  ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

#endif  // EBANK_PLATFORM_COM_UNKNOWN_H_
