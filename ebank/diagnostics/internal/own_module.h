// The module handle of libebank.so itself, recorded once when the library is
// loaded, so that the trace file header can name the library's own file.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_OWN_MODULE_H_
#define EBANK_DIAGNOSTICS_INTERNAL_OWN_MODULE_H_

#include "ebank/platform/types.h"

namespace ebank::diagnostics {

HINSTANCE OwnModuleHandle();

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_OWN_MODULE_H_
