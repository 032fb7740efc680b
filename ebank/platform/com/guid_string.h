// Text forms of GUIDs: the braced upper-case registry form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" and back.
#ifndef EBANK_PLATFORM_COM_GUID_STRING_H_
#define EBANK_PLATFORM_COM_GUID_STRING_H_

#include "ebank/platform/export.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"

// Characters of the braced form, with the terminator.
inline constexpr int kGuidStringLength = 39;

extern "C" {
// The braced form in a CoTaskMemAlloc buffer the caller frees with CoTaskMemFree.
EBANK_EXPORT HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text);
// Writes the braced form into `buffer`; returns the characters written with the
// terminator (39), or 0 when `max` is too small.
EBANK_EXPORT int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int max);
// Parses the braced form; a text without the leading brace is looked up as a
// ProgID. Malformed or unknown texts give CO_E_CLASSSTRING and GUID_NULL.
EBANK_EXPORT HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
// Parses the braced form only; E_INVALIDARG when malformed.
EBANK_EXPORT HRESULT IIDFromString(LPCOLESTR text, IID* iid);
}

#endif  // EBANK_PLATFORM_COM_GUID_STRING_H_
