#include "ebank/core/currency.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <stdexcept>

#include "ebank/core/exception.h"
#include "ebank/core/raise.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/var_currency.h"
#include "ebank/platform/oleaut/variant.h"

namespace ddCOM {
namespace {

constexpr LONGLONG kScale = 10000;
constexpr char kMultiplyOverflow[] = "overflow while multiplying two ddCOM::Currency values";

Currency FromRaw(LONGLONG raw) {
  CY cy;
  cy.int64 = raw;
  return Currency(cy);
}

bool CheckedMultiply(LONGLONG a, LONGLONG b, LONGLONG* result) {
  return !__builtin_mul_overflow(a, b, result);
}

std::uint64_t Magnitude(LONGLONG value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// The product of two magnitudes divided by 10000 (truncated) when it fits 64
// bits: a schoolbook product in 32-bit limbs, then long division by 10000.
bool WideProductByScale(std::uint64_t a, std::uint64_t b, std::uint64_t* quotient) {
  const std::uint32_t x[2] = {static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(a >> 32)};
  const std::uint32_t y[2] = {static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(b >> 32)};
  std::uint32_t product[4] = {0, 0, 0, 0};  // least significant first
  for (int j = 0; j < 2; ++j) {
    std::uint64_t carry = 0;
    for (int i = 0; i < 2; ++i) {
      const std::uint64_t sum = static_cast<std::uint64_t>(x[i]) * y[j] + product[i + j] + carry;
      product[i + j] = static_cast<std::uint32_t>(sum);
      carry = sum >> 32;
    }
    product[j + 2] = static_cast<std::uint32_t>(carry);
  }
  std::uint32_t result[4];
  std::uint64_t remainder = 0;
  for (int i = 3; i >= 0; --i) {
    const std::uint64_t part = (remainder << 32) | product[i];
    result[i] = static_cast<std::uint32_t>(part / kScale);
    remainder = part % kScale;
  }
  if (result[3] != 0 || result[2] != 0) return false;
  *quotient = (static_cast<std::uint64_t>(result[1]) << 32) | result[0];
  return true;
}

// Powers of ten up to the largest that fits 64 bits.
constexpr auto kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{1};
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

// A SWIFT amount holds at most 16 significant digits, and its value lies
// between 10^-16 and 10^16.
constexpr int kSwiftDigits = 16;

// An amount as significand * 10^power, with the significand's digits.
struct SwiftNumber {
  std::uint64_t significand = 0;
  int digits = 0;
  int power = 0;
};

// Reads digits with at most one decimal comma; the whole text of `length`
// characters must be read. The texts refused are those of the automation
// number parser with German conventions, only the decimal separator allowed
// and room for 16 digits: no digit at all is a failed parse
// (ddCOM::ErrorInfo), anything else refused is
// ddCOM::Exception(DISP_E_TYPEMISMATCH).
SwiftNumber ScanSwiftNumber(const wchar_t* text, UINT length) {
  // The first 16 digits from the first non-zero one as a number; zeros
  // beyond them are counted, a non-zero digit there refuses the text.
  std::uint64_t value = 0;
  int digits = 0, zerosBeyond = 0;
  const wchar_t* comma = nullptr;
  const wchar_t* end = text;
  for (;; ++end) {
    const auto digit = static_cast<std::uint32_t>(*end) - L'0';
    if (digit <= 9) {
      if (digits < kSwiftDigits) {
        value = value * 10 + digit;
        digits += (digits | digit) != 0;  // leading zeros count for nothing
      } else if (digit != 0) {
        throw Exception(DISP_E_TYPEMISMATCH);
      } else {
        ++zerosBeyond;
      }
    } else if (*end == L',' && comma == nullptr) {
      comma = end;
    } else {
      break;
    }
  }
  if (end - text == (comma != nullptr ? 1 : 0)) CheckHResult(DISP_E_TYPEMISMATCH);  // no digit
  if (static_cast<std::size_t>(end - text) != length) throw Exception(DISP_E_TYPEMISMATCH);

  SwiftNumber number;
  if (value == 0) return number;
  int trailingZeros = 0;
  for (; value % 10 == 0; value /= 10) ++trailingZeros;
  const int decimals = comma != nullptr ? static_cast<int>(end - comma - 1) : 0;
  number.significand = value;
  number.digits = digits - trailingZeros;
  number.power = trailingZeros + zerosBeyond - decimals;
  if (number.power < -kSwiftDigits || number.power + number.digits > kSwiftDigits) {
    throw Exception(DISP_E_TYPEMISMATCH);
  }
  return number;
}

// The number in ten-thousandths, rounded half to even; too large for the
// currency range is DISP_E_OVERFLOW, raised as the automation conversion
// does.
LONGLONG SwiftToRaw(const SwiftNumber& number) {
  const int shift = number.power + 4;
  if (shift < 0) {
    const std::uint64_t divisor = kPowersOfTen[-shift];
    std::uint64_t raw = number.significand / divisor;
    const std::uint64_t rest = number.significand % divisor;
    if (2 * rest > divisor || (2 * rest == divisor && raw % 2 == 1)) ++raw;
    return static_cast<LONGLONG>(raw);  // below 10^12
  }
  std::uint64_t raw;
  if (__builtin_mul_overflow(number.significand, kPowersOfTen[shift], &raw) ||
      raw > static_cast<std::uint64_t>(INT64_MAX)) {
    CheckHResult(DISP_E_OVERFLOW);
  }
  return static_cast<LONGLONG>(raw);
}

}  // namespace

Currency::Currency(double value) {
  const bool negative = value < 0;
  double whole;
  const double fraction = std::modf(std::fabs(value) * 10000.0, &whole);
  if (fraction >= 0.5) whole += 1;
  // Out of range (and NaN) has no defined value; the most negative value is
  // what the processor's own conversion gives, without undefined behaviour.
  LONGLONG raw = INT64_MIN;
  if (whole < 9223372036854775808.0) raw = static_cast<LONGLONG>(whole);
  cy_.int64 = negative && raw != INT64_MIN ? -raw : raw;
}

Currency::Currency(LONGLONG whole, unsigned int fraction) {
  LONGLONG product;
  if (!Currency(whole).multipliedWith(kScale, &product)) {
    throw std::overflow_error("while constructing a ddCOM:Currency from LONGLONG and int");
  }
  const auto sum = static_cast<LONGLONG>(static_cast<std::uint64_t>(product) + fraction);
  if (product >= 0 && sum < 0) {
    throw std::overflow_error("while constructing a ddCOM:Currency from LONGLONG and int");
  }
  cy_.int64 = sum;
}

Currency::Currency(wchar_t* const text) {
  if (VarCyFromStr(text, 0, LOCALE_NOUSEROVERRIDE, &cy_) != S_OK) {
    throw std::invalid_argument("cannot construct ddCOM::Currency out of BSTR");
  }
}

Currency::Currency(const VARIANT& value) {
  VARIANT converted;
  VariantInit(&converted);
  if (VariantChangeType(&converted, &value, 0, VT_CY) != S_OK) {
    throw std::invalid_argument("cannot construct ddCOM::Currency out of VARIANT");
  }
  cy_ = converted.cyVal;
}

bool Currency::multipliedWith(LONGLONG factor, LONGLONG* result) const {
  if (result == nullptr) return false;
  return CheckedMultiply(cy_.int64, factor, result);
}

Currency Currency::Int() const {
  return FromRaw(cy_.int64 - cy_.int64 % kScale);
}

Currency Currency::Fract() const {
  return FromRaw(cy_.int64 % kScale);
}

BString<wchar_t> Currency::GenerateSwift() const {
  wchar_t text[ebank::platform::kCurrencyTextSize + 1];
  int length = ebank::platform::FormatCurrencyText(cy_.int64, L',', text);
  if (std::wmemchr(text, L',', length) == nullptr) text[length++] = L',';
  BString<wchar_t> result(text, static_cast<UINT>(length));
  if (result.IsNothing()) RaiseHResult(E_OUTOFMEMORY);
  return result;
}

void Currency::ParseSwift(const BString<wchar_t>& text) {
  const wchar_t* chars = text.ByVal();
  if (chars[0] == L'\0' || (chars[0] == L',' && chars[1] == L'\0')) {
    cy_.int64 = 0;
    return;
  }
  cy_.int64 = SwiftToRaw(ScanSwiftNumber(chars, text.Length()));
}

BString<wchar_t> Currency::Currency2Str() const {
  CY rounded;
  wchar_t text[ebank::platform::kCurrencyTextSize + 3] = L"0";
  int length = 1;
  if (VarCyRound(cy_, 2, &rounded) == S_OK) {
    length = ebank::platform::FormatCurrencyText(rounded.int64, L',', text);
  }
  const wchar_t* comma = std::wmemchr(text, L',', length);
  if (comma == nullptr) {
    text[length++] = L',';
    text[length++] = L'0';
    text[length++] = L'0';
  } else if (length >= 3 && text[length - 2] == L',') {
    text[length++] = L'0';
  }
  BString<wchar_t> result(text, static_cast<UINT>(length));
  if (result.IsNothing()) RaiseHResult(E_OUTOFMEMORY);
  return result;
}

Currency operator+(const Currency& a, const Currency& b) {
  LONGLONG sum;
  if (__builtin_add_overflow(static_cast<LONGLONG>(a), static_cast<LONGLONG>(b), &sum)) {
    throw std::overflow_error("overflow while adding two ddCOM::Currency values");
  }
  return FromRaw(sum);
}

Currency operator-(const Currency& a, const Currency& b) {
  LONGLONG difference;
  if (__builtin_sub_overflow(static_cast<LONGLONG>(a), static_cast<LONGLONG>(b), &difference)) {
    throw std::overflow_error("overflow while subtracting a ddCOM::Currency value from another");
  }
  return FromRaw(difference);
}

Currency operator*(const Currency& a, LONG factor) {
  LONGLONG product;
  if (!CheckedMultiply(a, factor, &product)) throw std::overflow_error(kMultiplyOverflow);
  return FromRaw(product);
}

Currency operator*(LONG factor, const Currency& a) {
  return a * factor;
}

Currency operator*(const Currency& a, const Currency& b) {
  LONGLONG product;
  if (CheckedMultiply(a, b, &product)) return FromRaw(product / kScale);
  const bool negative = (static_cast<LONGLONG>(a) < 0) != (static_cast<LONGLONG>(b) < 0);
  std::uint64_t quotient;
  const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
  if (!WideProductByScale(Magnitude(a), Magnitude(b), &quotient) || quotient > limit) {
    throw std::overflow_error(kMultiplyOverflow);
  }
  return FromRaw(static_cast<LONGLONG>(negative ? 0 - quotient : quotient));
}

Currency operator/(const Currency& a, LONG divisor) {
  if (divisor == 0) {
    throw std::overflow_error("divide by zero while dividing one ddCOM::Currency by long");
  }
  if (divisor == -1) return FromRaw(static_cast<LONGLONG>(0 - static_cast<std::uint64_t>(a)));
  return FromRaw(static_cast<LONGLONG>(a) / divisor);
}

Currency operator/(const Currency& a, const Currency& b) {
  if (static_cast<LONGLONG>(b) == 0) {
    throw std::overflow_error("divide by zero while dividing one ddCOM::Currency by another");
  }
  LONGLONG scaled;
  if (!CheckedMultiply(a, kScale, &scaled)) {
    throw std::overflow_error("overflow while dividing one ddCOM::Currency by another");
  }
  // A multiple of 10000 is never the most negative value, so this cannot trap.
  return FromRaw(scaled / static_cast<LONGLONG>(b));
}

Currency operator%(const Currency& a, const Currency& b) {
  if (static_cast<LONGLONG>(b) == 0) {
    throw std::overflow_error("divide by zero while applying modulo two a ddCOM::Currency");
  }
  if (static_cast<LONGLONG>(b) == -1) return FromRaw(0);  // avoids the trapping division
  return FromRaw(static_cast<LONGLONG>(a) % static_cast<LONGLONG>(b));
}

Currency& operator+=(Currency& a, const Currency& b) {
  return a = a + b;
}
Currency& operator-=(Currency& a, const Currency& b) {
  return a = a - b;
}
Currency& operator*=(Currency& a, const Currency& b) {
  return a = a * b;
}
Currency& operator/=(Currency& a, const Currency& b) {
  return a = a / b;
}
Currency& operator%=(Currency& a, const Currency& b) {
  return a = a % b;
}

std::ostream& operator<<(std::ostream& out, const Currency& value) {
  char text[48];
  const LONGLONG raw = value;
  const LONGLONG whole = static_cast<LONGLONG>(value.Int()) / kScale;
  int length = std::snprintf(text, 24, "%s%lld", raw < 0 && whole == 0 ? "-" : "",
                             static_cast<long long>(whole));
  const LONGLONG fraction = value.Fract();
  if (fraction != 0) {
    length += std::snprintf(text + length, sizeof text - length, ",%04d",
                            static_cast<int>(fraction < 0 ? -fraction : fraction));
    while (text[length - 1] == '0') text[--length] = '\0';
  }
  return out << text;
}

}  // namespace ddCOM
