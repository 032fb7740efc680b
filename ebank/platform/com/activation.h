// COM class activation: ProgID and CLSID mapping and object creation, first
// from the in-process class table, then from in-process servers registered
// under HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32.
#ifndef EBANK_PLATFORM_COM_ACTIVATION_H_
#define EBANK_PLATFORM_COM_ACTIVATION_H_

#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/unknown.h"
#include "ebank/platform/export.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"

extern "C" {
// The CLSID of a ProgID (HKCR\<ProgID>\CLSID); a text that begins with "{" is
// read as a CLSID. CO_E_CLASSSTRING when unknown or malformed.
EBANK_EXPORT HRESULT CLSIDFromProgID(LPCOLESTR prog_id, LPCLSID clsid);
// The ProgID of a CLSID (HKCR\CLSID\{...}\ProgID) in a CoTaskMemAlloc buffer;
// REGDB_E_CLASSNOTREG when there is none.
EBANK_EXPORT HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* prog_id);
// Creates an object of class `clsid` and asks it for `iid`. Needs COM
// initialised on the calling thread (CO_E_NOTINITIALIZED otherwise).
EBANK_EXPORT HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                      LPVOID* object);
// The class factory (or the interface `iid` of it) of class `clsid`.
EBANK_EXPORT HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, LPVOID reserved, REFIID iid,
                                      LPVOID* object);
}

#endif  // EBANK_PLATFORM_COM_ACTIVATION_H_
