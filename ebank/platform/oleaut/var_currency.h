// Conversions of the automation currency type CY: text in both directions and
// rounding to fewer decimals.
//
// Texts use the locale's decimal separator, a leading minus, no grouping and
// only the decimals that are needed ("1234,5" in German, "1234.5" in English).
#ifndef EBANK_PLATFORM_OLEAUT_VAR_CURRENCY_H_
#define EBANK_PLATFORM_OLEAUT_VAR_CURRENCY_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// DISP_E_TYPEMISMATCH for a text that is not a number, DISP_E_OVERFLOW for one
// out of range; decimals beyond the fourth are rounded half to even.
EBANK_EXPORT HRESULT VarCyFromStr(const OLECHAR* text, LCID lcid, ULONG flags, CY* out);
EBANK_EXPORT HRESULT VarBstrFromCy(CY value, LCID lcid, ULONG flags, BSTR* out);
// Rounds half to even to `decimals` places (0..4; more leaves the value);
// E_INVALIDARG for a negative count.
EBANK_EXPORT HRESULT VarCyRound(CY value, int decimals, CY* out);

}  // extern "C"

namespace ebank::platform {

// Writes the text VarBstrFromCy gives for the raw value into `buffer`, which
// has room for kCurrencyTextSize characters, and returns the length (no NUL).
inline constexpr int kCurrencyTextSize = 24;
EBANK_EXPORT int FormatCurrencyText(LONGLONG raw, wchar_t decimal_separator, wchar_t* buffer);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_VAR_CURRENCY_H_
