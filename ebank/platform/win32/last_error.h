// The Win32 last-error code: one value per thread.
//
// Platform functions that fail set it; callers read it right after the failing call.
#ifndef EBANK_PLATFORM_WIN32_LAST_ERROR_H_
#define EBANK_PLATFORM_WIN32_LAST_ERROR_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

EBANK_EXPORT DWORD GetLastError();
EBANK_EXPORT void SetLastError(DWORD error);

}  // extern "C"

#endif  // EBANK_PLATFORM_WIN32_LAST_ERROR_H_
