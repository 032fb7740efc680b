// Raising ddCOM exceptions, and the check that follows every COM call.
#ifndef EBANK_CORE_RAISE_H_
#define EBANK_CORE_RAISE_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

// Throws ddCOM::Exception(hresult).
[[noreturn]] EBANK_EXPORT void RaiseHResult(LONG hresult);
// Throws ddCOM::Error(hresult, description), the text in the ANSI code page.
[[noreturn]] EBANK_EXPORT void Raise(LONG hresult, const char* description);
// Throws ddCOM::ErrorInfo(hresult), capturing the thread's error object, when
// `hresult` is a failure; success codes return.
EBANK_EXPORT void CheckHResult(LONG hresult);

}  // namespace ddCOM

#endif  // EBANK_CORE_RAISE_H_
