// COM error objects: the per-thread description of the last failure.
//
// A component that fails fills an error object through ICreateErrorInfo and
// installs it with SetErrorInfo; the caller takes it with GetErrorInfo.
#ifndef EBANK_PLATFORM_COM_ERROR_INFO_H_
#define EBANK_PLATFORM_COM_ERROR_INFO_H_

#include "ebank/platform/com/unknown.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

struct IErrorInfo : IUnknown {
  STDMETHOD(GetGUID)(GUID* guid) = 0;                  // slot 3
  STDMETHOD(GetSource)(BSTR* source) = 0;              // slot 4
  STDMETHOD(GetDescription)(BSTR* description) = 0;    // slot 5
  STDMETHOD(GetHelpFile)(BSTR* help_file) = 0;         // slot 6
  STDMETHOD(GetHelpContext)(DWORD* help_context) = 0;  // slot 7
};
using LPERRORINFO = IErrorInfo*;

struct ICreateErrorInfo : IUnknown {
  STDMETHOD(SetGUID)(REFGUID guid) = 0;                 // slot 3
  STDMETHOD(SetSource)(LPOLESTR source) = 0;            // slot 4
  STDMETHOD(SetDescription)(LPOLESTR description) = 0;  // slot 5
  STDMETHOD(SetHelpFile)(LPOLESTR help_file) = 0;       // slot 6
  STDMETHOD(SetHelpContext)(DWORD help_context) = 0;    // slot 7
};
using LPCREATEERRORINFO = ICreateErrorInfo*;

struct ISupportErrorInfo : IUnknown {
  STDMETHOD(InterfaceSupportsErrorInfo)(REFIID riid) = 0;  // slot 3
};
using LPSUPPORTERRORINFO = ISupportErrorInfo*;

extern "C" {

// Creates an empty error object; E_INVALIDARG for a null out-pointer,
// E_OUTOFMEMORY when it cannot be allocated.
EBANK_EXPORT HRESULT CreateErrorInfo(ICreateErrorInfo** info);
// Makes `info` (may be null) the calling thread's error object, releasing the
// previous one. `reserved` must be 0.
EBANK_EXPORT HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info);
// Hands the calling thread's error object over to the caller and clears it;
// S_FALSE and null when there is none.
EBANK_EXPORT HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info);

}  // extern "C"

#endif  // EBANK_PLATFORM_COM_ERROR_INFO_H_
