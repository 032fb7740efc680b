// Small helpers on the calling thread's COM error object: asking an object
// whether it reports errors through error objects, tracing and clearing one.
#ifndef EBANK_CORE_ERROR_INFO_FUNCTIONS_H_
#define EBANK_CORE_ERROR_INFO_FUNCTIONS_H_

#include "ebank/platform/com/error_info.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

// True only when `object` has ISupportErrorInfo and it answers exactly S_OK
// for `iid`; false for a null object and for any other answer.
EBANK_EXPORT bool SupportsErrorInfo(IUnknown* object, const GUID& iid);
// Formats "ErrorInfo: <description> (<source>)" of `info`, or of the thread's
// pending error object when `info` is null, and sends it to the debugger
// output while tracing is on. The thread's error object is left as it was.
EBANK_EXPORT void TraceErrorInfo(IErrorInfo* info);
// Removes the calling thread's error object.
EBANK_EXPORT void ClearErrorInfo();

}  // namespace ddCOM

#endif  // EBANK_CORE_ERROR_INFO_FUNCTIONS_H_
