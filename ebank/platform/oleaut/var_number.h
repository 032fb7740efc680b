// The text of an automation DOUBLE.
//
// Doubles print with up to 15 significant digits
// and switch to the exponent form ("1E+20") where that is shorter.
#ifndef EBANK_PLATFORM_OLEAUT_VAR_NUMBER_H_
#define EBANK_PLATFORM_OLEAUT_VAR_NUMBER_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

EBANK_EXPORT HRESULT VarBstrFromR8(DOUBLE value, LCID lcid, ULONG flags, BSTR* out);

}  // extern "C"

#endif  // EBANK_PLATFORM_OLEAUT_VAR_NUMBER_H_
