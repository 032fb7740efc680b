// Failure reports of the platform's own COM objects and calls: a failing call
// leaves a thread error object that says why, beyond what its HRESULT says.
#ifndef EBANK_PLATFORM_COM_INTERNAL_FAILURE_REPORT_H_
#define EBANK_PLATFORM_COM_INTERNAL_FAILURE_REPORT_H_

#include <string_view>

#include "ebank/platform/types.h"

namespace ebank::platform {

// Installs a new error object with `description` and `source` (UTF-8; an
// empty source is left unset) as the calling thread's, and returns `hr`.
HRESULT ReportFailure(HRESULT hr, std::string_view description, std::string_view source = {});

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_COM_INTERNAL_FAILURE_REPORT_H_
