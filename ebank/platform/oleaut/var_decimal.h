// The text of an automation DECIMAL (96-bit magnitude, scale 0..28, sign),
// with the same text rules as the currency conversions.
#ifndef EBANK_PLATFORM_OLEAUT_VAR_DECIMAL_H_
#define EBANK_PLATFORM_OLEAUT_VAR_DECIMAL_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// The value with only the decimals that are needed; E_INVALIDARG for a scale
// above 28.
EBANK_EXPORT HRESULT VarBstrFromDec(const DECIMAL* value, LCID lcid, ULONG flags, BSTR* out);

}  // extern "C"

#endif  // EBANK_PLATFORM_OLEAUT_VAR_DECIMAL_H_
