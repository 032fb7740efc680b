// Narrow text in the thread's ANSI code page converted to a new BSTR, as the
// exceptions need it for system messages and their own descriptions.
#ifndef EBANK_CORE_INTERNAL_ANSI_BSTR_H_
#define EBANK_CORE_INTERNAL_ANSI_BSTR_H_

#include "ebank/platform/types.h"

namespace ddCOM::internal {

// A BSTR the caller owns, or null for a null text, a text too long to convert
// (0x3FFFFFFF characters and more), a failed conversion or no memory.
BSTR BstrFromAnsi(const char* text);

}  // namespace ddCOM::internal

#endif  // EBANK_CORE_INTERNAL_ANSI_BSTR_H_
