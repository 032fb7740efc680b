#include "ebank/platform/oleaut/internal/exact_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ebank/platform/hresult.h"

namespace ebank::platform {
namespace {

constexpr int kMaxPow10 = 38;  // 10^38 < 2^128 < 10^39
constexpr int kMaxScale = 60;
constexpr Uint128 kMax96 = (Uint128{1} << 96) - 1;

Uint128 Pow10(int exponent) {
  Uint128 result = 1;
  for (int i = 0; i < exponent; ++i) result *= 10;
  return result;
}

// Divides by 10^drop, rounding half to even.
Uint128 DivideRounded(Uint128 value, int drop) {
  if (drop <= 0) return value;
  if (drop > kMaxPow10) return 0;  // value < 10^39 / 2, so it rounds to 0
  const Uint128 divisor = Pow10(drop);
  Uint128 quotient = value / divisor;
  const Uint128 remainder = value % divisor;
  const Uint128 half = divisor / 2;
  if (remainder > half || (remainder == half && (quotient & 1) != 0)) ++quotient;
  return quotient;
}

bool MultiplyByPow10(Uint128* value, int exponent) {
  for (int i = 0; i < exponent; ++i) {
    if (*value > ~Uint128{0} / 10) return false;
    *value *= 10;
  }
  return true;
}

// Strips decimals that are zero so that comparisons and texts are minimal.
void Normalize(ExactNumber* number) {
  while (number->scale > 0 && number->magnitude % 10 == 0) {
    number->magnitude /= 10;
    --number->scale;
  }
  if (number->magnitude == 0) number->scale = 0;
}

}  // namespace

ExactNumber ExactFromInt64(std::int64_t value) {
  ExactNumber number;
  number.negative = value < 0;
  number.magnitude = value < 0 ? Uint128{0} - static_cast<Uint128>(static_cast<__int128>(value))
                               : static_cast<Uint128>(value);
  return number;
}

ExactNumber ExactFromUint64(std::uint64_t value) {
  ExactNumber number;
  number.magnitude = value;
  return number;
}

ExactNumber ExactFromCy(const CY& value) {
  ExactNumber number = ExactFromInt64(value.int64);
  number.scale = 4;
  return number;
}

ExactNumber ExactFromDecimal(const DECIMAL& value) {
  ExactNumber number;
  number.negative = (value.sign & DECIMAL_NEG) != 0;
  number.magnitude = (static_cast<Uint128>(value.Hi32) << 64) | value.Lo64;
  number.scale = value.scale;
  return number;
}

bool ExactFromDigits(const BYTE* digits, int count, int pwr10, bool negative, ExactNumber* out) {
  ExactNumber number;
  number.negative = negative;
  int used = count < kMaxPow10 ? count : kMaxPow10;
  for (int i = 0; i < used; ++i) number.magnitude = number.magnitude * 10 + digits[i] % 10;
  long long exponent = static_cast<long long>(pwr10) + (count - used);
  if (used < count) {  // round the digits that do not fit, half to even
    const int first_dropped = digits[used];
    bool beyond_half = false;
    for (int i = used + 1; i < count; ++i) beyond_half |= digits[i] != 0;
    if (first_dropped > 5 || (first_dropped == 5 && (beyond_half || (number.magnitude & 1)))) {
      ++number.magnitude;
    }
  }
  if (exponent > 0) {
    if (exponent > kMaxPow10 || !MultiplyByPow10(&number.magnitude, static_cast<int>(exponent))) {
      return number.magnitude == 0 ? (*out = ExactNumber{}, true) : false;
    }
  } else {
    // Beyond 60 decimals every 38-digit magnitude rounds to a negligible rest.
    number.scale = exponent < -kMaxScale ? kMaxScale : static_cast<int>(-exponent);
    const long long drop = -exponent - number.scale;
    number.magnitude = DivideRounded(number.magnitude, drop > 39 ? 39 : static_cast<int>(drop));
  }
  Normalize(&number);
  *out = number;
  return true;
}

bool ExactFromDouble(double value, ExactNumber* out) {
  if (!std::isfinite(value)) return false;
  char text[40];
  std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
  BYTE digits[15];
  int count = 0;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') digits[count++] = static_cast<BYTE>(*p - '0');
  }
  const int exponent = std::atoi(p + 1);
  return ExactFromDigits(digits, count, exponent - 14, value < 0, out);
}

void RoundToScale(ExactNumber* number, int scale) {
  if (number->scale <= scale) return;
  number->magnitude = DivideRounded(number->magnitude, number->scale - scale);
  number->scale = scale;
  Normalize(number);
}

bool ExactToInt64(ExactNumber number, std::int64_t* out) {
  RoundToScale(&number, 0);
  const Uint128 limit = Uint128{1} << 63;
  if (number.magnitude > limit || (!number.negative && number.magnitude == limit)) return false;
  const auto bits = static_cast<std::uint64_t>(number.magnitude);
  *out = static_cast<std::int64_t>(number.negative ? 0 - bits : bits);
  return true;
}

bool ExactToUint64(ExactNumber number, std::uint64_t* out) {
  RoundToScale(&number, 0);
  if (number.magnitude > ~std::uint64_t{0}) return false;
  if (number.negative && number.magnitude != 0) return false;
  *out = static_cast<std::uint64_t>(number.magnitude);
  return true;
}

bool ExactToCy(ExactNumber number, CY* out) {
  RoundToScale(&number, 4);
  if (!MultiplyByPow10(&number.magnitude, 4 - number.scale)) return false;
  number.scale = 0;
  std::int64_t raw;
  if (!ExactToInt64(number, &raw)) return false;
  out->int64 = raw;
  return true;
}

bool ExactToDecimal(ExactNumber number, DECIMAL* out) {
  RoundToScale(&number, 28);
  while (number.magnitude > kMax96 && number.scale > 0) RoundToScale(&number, number.scale - 1);
  if (number.magnitude > kMax96) return false;
  out->wReserved = 0;
  out->scale = static_cast<BYTE>(number.scale);
  out->sign = number.negative && number.magnitude != 0 ? DECIMAL_NEG : 0;
  out->Hi32 = static_cast<ULONG>(number.magnitude >> 64);
  out->Lo64 = static_cast<ULONGLONG>(number.magnitude);
  return true;
}

double ExactToDouble(const ExactNumber& number) {
  // strtod rounds correctly, which plain scaling by powers of ten does not.
  std::wstring digits = ExactToText(ExactNumber{false, number.magnitude, 0}, L'.');
  std::string text(digits.begin(), digits.end());
  text += "e-" + std::to_string(number.scale);
  const double magnitude = std::strtod(text.c_str(), nullptr);
  return number.negative ? -magnitude : magnitude;
}

namespace {

struct IntegerRange {
  VARTYPE vt;
  std::int64_t min;
  std::uint64_t max;
};
constexpr IntegerRange kIntegerRanges[] = {
    {VT_I1, -128, 127},
    {VT_UI1, 0, 255},
    {VT_I2, -32768, 32767},
    {VT_UI2, 0, 65535},
    {VT_I4, INT32_MIN, INT32_MAX},
    {VT_INT, INT32_MIN, INT32_MAX},
    {VT_UI4, 0, UINT32_MAX},
    {VT_UINT, 0, UINT32_MAX},
    {VT_I8, INT64_MIN, INT64_MAX},
    {VT_UI8, 0, UINT64_MAX},
};

const IntegerRange* FindIntegerRange(VARTYPE vt) {
  for (const IntegerRange& range : kIntegerRanges) {
    if (range.vt == vt) return &range;
  }
  return nullptr;
}

HRESULT StoreInteger(const ExactNumber& number, const IntegerRange& range, VARIANT* out) {
  std::int64_t value;
  std::uint64_t unsigned_value;
  if (range.min < 0) {
    if (!ExactToInt64(number, &value) || value < range.min ||
        (value > 0 && static_cast<std::uint64_t>(value) > range.max)) {
      return DISP_E_OVERFLOW;
    }
    unsigned_value = static_cast<std::uint64_t>(value);
  } else if (!ExactToUint64(number, &unsigned_value) || unsigned_value > range.max) {
    return DISP_E_OVERFLOW;
  }
  out->vt = range.vt;
  out->ullVal = 0;
  switch (range.vt) {
    case VT_I1:
      out->cVal = static_cast<CHAR>(unsigned_value);
      break;
    case VT_UI1:
      out->bVal = static_cast<BYTE>(unsigned_value);
      break;
    case VT_I2:
      out->iVal = static_cast<SHORT>(unsigned_value);
      break;
    case VT_UI2:
      out->uiVal = static_cast<USHORT>(unsigned_value);
      break;
    case VT_I4:
    case VT_INT:
      out->lVal = static_cast<LONG>(unsigned_value);
      break;
    case VT_UI4:
    case VT_UINT:
      out->ulVal = static_cast<ULONG>(unsigned_value);
      break;
    default:
      out->ullVal = unsigned_value;
      break;
  }
  return S_OK;
}

HRESULT StoreDouble(double value, VARTYPE vt, VARIANT* out) {
  if (vt == VT_DATE && !IsValidDate(value)) return DISP_E_OVERFLOW;
  if (vt == VT_R4 && !(std::fabs(value) <= 3.4028234663852886e38)) return DISP_E_OVERFLOW;
  out->vt = vt;
  out->llVal = 0;
  if (vt == VT_R4) {
    out->fltVal = static_cast<float>(value);
  } else {
    out->dblVal = value;
  }
  return S_OK;
}

}  // namespace

bool IsValidDate(double value) {
  return value > -657435.0 && value < 2958466.0;
}

HRESULT ExactToVariant(const ExactNumber& number, VARTYPE vt, VARIANT* out) {
  if (const IntegerRange* range = FindIntegerRange(vt)) return StoreInteger(number, *range, out);
  switch (vt) {
    case VT_R4:
    case VT_R8:
    case VT_DATE:
      return StoreDouble(ExactToDouble(number), vt, out);
    case VT_CY: {
      CY cy;
      if (!ExactToCy(number, &cy)) return DISP_E_OVERFLOW;
      out->vt = VT_CY;
      out->cyVal = cy;
      return S_OK;
    }
    case VT_DECIMAL: {
      DECIMAL decimal;
      if (!ExactToDecimal(number, &decimal)) return DISP_E_OVERFLOW;
      out->decVal = decimal;
      out->vt = VT_DECIMAL;  // shares its place with decVal.wReserved
      return S_OK;
    }
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

HRESULT DoubleToVariant(double value, VARTYPE vt, VARIANT* out) {
  if (!std::isfinite(value)) return DISP_E_OVERFLOW;
  if (vt == VT_R4 || vt == VT_R8 || vt == VT_DATE) return StoreDouble(value, vt, out);
  ExactNumber number;
  if (FindIntegerRange(vt) != nullptr) {
    // Round on the double: a whole double below 2^64 is exact in 128 bits.
    const double whole = std::nearbyint(value);
    if (!(std::fabs(whole) < 18446744073709551616.0)) return DISP_E_OVERFLOW;
    number.negative = whole < 0;
    number.magnitude = static_cast<std::uint64_t>(std::fabs(whole));
    return ExactToVariant(number, vt, out);
  }
  if (vt == VT_CY) {
    const double scaled = std::nearbyint(value * 10000.0);
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) {
      return DISP_E_OVERFLOW;
    }
    out->vt = VT_CY;
    out->cyVal.int64 = static_cast<LONGLONG>(scaled);
    return S_OK;
  }
  if (!ExactFromDouble(value, &number)) return DISP_E_OVERFLOW;
  return ExactToVariant(number, vt, out);
}

std::wstring ExactToText(ExactNumber number, wchar_t decimal_separator) {
  Normalize(&number);
  std::wstring reversed;
  Uint128 rest = number.magnitude;
  int written = 0;
  do {
    reversed += static_cast<wchar_t>(L'0' + static_cast<int>(rest % 10));
    rest /= 10;
    if (++written == number.scale) reversed += decimal_separator;
  } while (rest != 0 || written < number.scale);
  if (reversed.back() == decimal_separator) reversed += L'0';
  if (number.negative && number.magnitude != 0) reversed += L'-';
  return std::wstring(reversed.rbegin(), reversed.rend());
}

}  // namespace ebank::platform
