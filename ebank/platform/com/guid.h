// GUID comparison and the interface ids of the COM base interfaces.
//
// The ids are exported data of the platform library, as the Windows SDK's
// uuid library provides them.
#ifndef EBANK_PLATFORM_COM_GUID_H_
#define EBANK_PLATFORM_COM_GUID_H_

#include <cstring>

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

inline bool IsEqualGUID(REFGUID a, REFGUID b) {
  return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}
inline bool IsEqualIID(REFIID a, REFIID b) {
  return IsEqualGUID(a, b);
}
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) {
  return IsEqualGUID(a, b);
}
inline bool operator==(REFGUID a, REFGUID b) {
  return IsEqualGUID(a, b);
}

extern "C" {
EBANK_EXPORT extern const GUID GUID_NULL;
EBANK_EXPORT extern const IID IID_NULL;
EBANK_EXPORT extern const IID IID_IUnknown;
EBANK_EXPORT extern const IID IID_IClassFactory;
EBANK_EXPORT extern const IID IID_IDispatch;
EBANK_EXPORT extern const IID IID_IErrorInfo;
EBANK_EXPORT extern const IID IID_ICreateErrorInfo;
EBANK_EXPORT extern const IID IID_ISupportErrorInfo;
}

#endif  // EBANK_PLATFORM_COM_GUID_H_
