// Text conversions of the plain automation numbers LONG and DOUBLE.
//
// Whole numbers print in full; doubles print with up to 15 significant digits
// and switch to the exponent form ("1E+20") where that is shorter.
#ifndef EBANK_PLATFORM_OLEAUT_VAR_NUMBER_H_
#define EBANK_PLATFORM_OLEAUT_VAR_NUMBER_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// Decimals are rounded half to even; DISP_E_OVERFLOW outside the LONG range.
EBANK_EXPORT HRESULT VarI4FromStr(const OLECHAR* text, LCID lcid, ULONG flags, LONG* out);
EBANK_EXPORT HRESULT VarR8FromStr(const OLECHAR* text, LCID lcid, ULONG flags, DOUBLE* out);
EBANK_EXPORT HRESULT VarBstrFromI4(LONG value, LCID lcid, ULONG flags, BSTR* out);
EBANK_EXPORT HRESULT VarBstrFromR8(DOUBLE value, LCID lcid, ULONG flags, BSTR* out);

}  // extern "C"

#endif  // EBANK_PLATFORM_OLEAUT_VAR_NUMBER_H_
