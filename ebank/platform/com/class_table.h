// The in-process class table: class factories registered by code under a CLSID
// and a ProgID, which activation consults before the registry. Thread-safe;
// ProgIDs compare case-insensitively.
#ifndef EBANK_PLATFORM_COM_CLASS_TABLE_H_
#define EBANK_PLATFORM_COM_CLASS_TABLE_H_

#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/export.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"

namespace ebank::platform {

// Registers `factory` (one reference kept) for `clsid`, reachable also by
// `prog_id` when that is not null. A CLSID registered before is replaced.
// E_INVALIDARG for a null factory.
EBANK_EXPORT HRESULT RegisterClassFactory(REFCLSID clsid, const wchar_t* prog_id,
                                          IClassFactory* factory);
// Removes the class and releases its factory; S_FALSE when it was not there.
EBANK_EXPORT HRESULT RevokeClassFactory(REFCLSID clsid);
// The registered factory of `clsid` with a reference added, or null.
EBANK_EXPORT IClassFactory* FindClassFactory(REFCLSID clsid);
// The CLSID registered under `prog_id`; false when none is.
EBANK_EXPORT bool FindClassByProgId(const wchar_t* prog_id, CLSID* clsid);
// The ProgID registered for `clsid` in a CoTaskMemAlloc buffer; null when none.
EBANK_EXPORT wchar_t* FindProgIdOfClass(REFCLSID clsid);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_COM_CLASS_TABLE_H_
