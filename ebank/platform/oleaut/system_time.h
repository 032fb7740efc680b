// The current local date and time as a SYSTEMTIME.
#ifndef EBANK_PLATFORM_OLEAUT_SYSTEM_TIME_H_
#define EBANK_PLATFORM_OLEAUT_SYSTEM_TIME_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

EBANK_EXPORT void GetLocalTime(SYSTEMTIME* out);

}  // extern "C"

#endif  // EBANK_PLATFORM_OLEAUT_SYSTEM_TIME_H_
