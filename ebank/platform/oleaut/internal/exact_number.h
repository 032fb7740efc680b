// An exact decimal number, the common ground of the integer, currency and
// DECIMAL conversions: a sign, a 128-bit magnitude and a power-of-ten scale.
//
// Internal to the automation layer; every narrowing rounds half to even, the
// rounding rule of the automation conversions.
#ifndef EBANK_PLATFORM_OLEAUT_INTERNAL_EXACT_NUMBER_H_
#define EBANK_PLATFORM_OLEAUT_INTERNAL_EXACT_NUMBER_H_

#include <string>

#include "ebank/platform/types.h"

namespace ebank::platform {

using Uint128 = unsigned __int128;

struct ExactNumber {
  bool negative = false;
  Uint128 magnitude = 0;
  int scale = 0;  // the value is magnitude / 10^scale; never negative
};

ExactNumber ExactFromInt64(std::int64_t value);
ExactNumber ExactFromUint64(std::uint64_t value);
ExactNumber ExactFromCy(const CY& value);
ExactNumber ExactFromDecimal(const DECIMAL& value);
// Digit values (0..9, most significant first) times 10^pwr10. False when the
// value does not fit 128 bits; more than 38 digits are rounded away.
bool ExactFromDigits(const BYTE* digits, int count, int pwr10, bool negative, ExactNumber* out);
// The double rounded to 15 significant digits; false for NaN, infinities and
// magnitudes beyond 128 bits.
bool ExactFromDouble(double value, ExactNumber* out);

// Rounds half to even so that at most `scale` decimals remain.
void RoundToScale(ExactNumber* number, int scale);

// Each rounds half to even; false when the result is out of range.
bool ExactToInt64(ExactNumber number, std::int64_t* out);
bool ExactToUint64(ExactNumber number, std::uint64_t* out);
bool ExactToCy(ExactNumber number, CY* out);
bool ExactToDecimal(ExactNumber number, DECIMAL* out);
// The nearest double.
double ExactToDouble(const ExactNumber& number);

// Stores the number as a VARIANT of numeric type `vt` (integers, R4, R8, CY,
// DECIMAL, DATE): DISP_E_OVERFLOW when it does not fit, DISP_E_TYPEMISMATCH
// for a type that is not numeric.
HRESULT ExactToVariant(const ExactNumber& number, VARTYPE vt, VARIANT* out);
// The same for a double source, which rounds on the double itself.
HRESULT DoubleToVariant(double value, VARTYPE vt, VARIANT* out);

// The OLE date range: 1 January 100 to the last second of 31 December 9999.
bool IsValidDate(double value);

// Plain text: leading '-', no grouping, only the decimals that are needed.
std::wstring ExactToText(ExactNumber number, wchar_t decimal_separator);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_INTERNAL_EXACT_NUMBER_H_
