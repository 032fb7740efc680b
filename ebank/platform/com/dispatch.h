// IDispatch, the automation interface (vtable slots 3 to 6).
//
// Late binding is not used by the library; objects may answer E_NOTIMPL, but
// the slots exist so that every derived interface keeps its slot numbers.
#ifndef EBANK_PLATFORM_COM_DISPATCH_H_
#define EBANK_PLATFORM_COM_DISPATCH_H_

#include "ebank/platform/com/unknown.h"

using DISPID = LONG;
struct ITypeInfo;

struct DISPPARAMS {
  VARIANTARG* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

struct EXCEPINFO {
  WORD wCode;
  WORD wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  DWORD dwHelpContext;
  PVOID pvReserved;
  HRESULT(STDMETHODCALLTYPE* pfnDeferredFillIn)(EXCEPINFO*);
  SCODE scode;
};

struct IDispatch : IUnknown {
  STDMETHOD(GetTypeInfoCount)(UINT* count) = 0;                         // slot 3
  STDMETHOD(GetTypeInfo)(UINT index, LCID lcid, ITypeInfo** info) = 0;  // slot 4
  STDMETHOD(GetIDsOfNames)
  (REFIID riid, LPOLESTR* names, UINT count, LCID lcid,  // slot 5
   DISPID* ids) = 0;
  STDMETHOD(Invoke)
  (DISPID id, REFIID riid, LCID lcid, WORD flags,  // slot 6
   DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepinfo, UINT* arg_error) = 0;
};

#endif  // EBANK_PLATFORM_COM_DISPATCH_H_
