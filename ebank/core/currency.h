// ddCOM::Currency: money as the automation CY, a signed 64-bit count of
// ten-thousandths, with checked arithmetic and its SWIFT, display and stream
// text forms (German notation: decimal comma, no grouping).
#ifndef EBANK_CORE_CURRENCY_H_
#define EBANK_CORE_CURRENCY_H_

#include <ostream>

#include "ebank/core/bstring.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

class EBANK_EXPORT Currency {
 public:
  Currency() { cy_.int64 = 0; }
  Currency(const CY& cy) : cy_(cy) {}
  Currency(const Currency& other) = default;
  Currency& operator=(const Currency& other) = default;
  // Rounds to ten-thousandths, half away from zero; no range check.
  Currency(double value);
  // `whole` units plus `fraction` ten-thousandths (always added, not limited
  // to 9999); std::overflow_error when out of range.
  Currency(LONGLONG whole, unsigned int fraction);
  // The host-default locale's number text; std::invalid_argument otherwise.
  Currency(wchar_t* const text);
  // Any VARIANT convertible to VT_CY; std::invalid_argument otherwise.
  Currency(const VARIANT& value);

  operator long long() const { return cy_.int64; }
  operator CY() const { return cy_; }
  CY ByVal() const { return cy_; }
  CY Copy() const { return cy_; }
  operator CY&() { return cy_; }
  CY* ByRef() { return &cy_; }
  CY* RetVal() { return &cy_; }

  // The whole units, truncated toward zero, and the signed rest: Int() +
  // Fract() is the value.
  Currency Int() const;
  Currency Fract() const;

  // SWIFT amount text: "1234,5", "12," for whole amounts, never rounded.
  BString<wchar_t> GenerateSwift() const;
  // Reads a SWIFT amount text: digits with an optional decimal comma, at most
  // 16 significant digits; an empty text or "," is 0. Anything else throws
  // ddCOM::Exception(DISP_E_TYPEMISMATCH); the value is then unchanged.
  void ParseSwift(const BString<wchar_t>& text);
  // Display text with two decimals, rounded half to even: "1234,50".
  BString<wchar_t> Currency2Str() const;

 protected:
  explicit Currency(LONGLONG raw) { cy_.int64 = raw; }
  // The checked 64-bit product of the raw value and `factor`.
  bool multipliedWith(LONGLONG factor, LONGLONG* result) const;

 private:
  CY cy_;
};

// Checked arithmetic on the raw values; failures throw std::overflow_error.
EBANK_EXPORT Currency operator+(const Currency& a, const Currency& b);
EBANK_EXPORT Currency operator-(const Currency& a, const Currency& b);
// Raw value times an integer (1.5 * 3 is 4.5).
EBANK_EXPORT Currency operator*(const Currency& a, LONG factor);
EBANK_EXPORT Currency operator*(LONG factor, const Currency& a);
// The exact product of the amounts, truncated toward zero to ten-thousandths.
EBANK_EXPORT Currency operator*(const Currency& a, const Currency& b);
// Raw value divided by an integer, truncated; the most negative value divided
// by -1 wraps to itself.
EBANK_EXPORT Currency operator/(const Currency& a, LONG divisor);
EBANK_EXPORT Currency operator/(const Currency& a, const Currency& b);
// The raw remainder, with the sign of the dividend.
EBANK_EXPORT Currency operator%(const Currency& a, const Currency& b);

EBANK_EXPORT Currency& operator+=(Currency& a, const Currency& b);
EBANK_EXPORT Currency& operator-=(Currency& a, const Currency& b);
EBANK_EXPORT Currency& operator*=(Currency& a, const Currency& b);
EBANK_EXPORT Currency& operator/=(Currency& a, const Currency& b);
EBANK_EXPORT Currency& operator%=(Currency& a, const Currency& b);

// Stream form: "1234,5", "12", "-0,5"; the stream's width and fill apply.
EBANK_EXPORT std::ostream& operator<<(std::ostream& out, const Currency& value);

}  // namespace ddCOM

#endif  // EBANK_CORE_CURRENCY_H_
