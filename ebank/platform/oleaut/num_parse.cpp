#include "ebank/platform/oleaut/num_parse.h"

#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/internal/exact_number.h"
#include "ebank/platform/oleaut/locale_info.h"

namespace {

using ebank::platform::ExactNumber;
using ebank::platform::LocaleInfo;
using ebank::platform::Uint128;

constexpr int kMaxExponent = 100000;  // far beyond any representable value

bool IsCurrencySymbol(wchar_t c) {
  return c == L'$' || c == L'\u20AC';
}

int DigitValue(wchar_t c, int base_shift) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (base_shift == 4 && c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (base_shift == 4 && c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// One pass over a number text; the state of the pass is the members.
class NumberScanner {
 public:
  NumberScanner(const OLECHAR* text, const LocaleInfo& locale, ULONG flags, int room, BYTE* digits)
      : text_(text), locale_(locale), flags_(flags), room_(room), digits_(digits) {}

  HRESULT Scan(NUMPARSE* numprs) {
    ScanPrefix();
    if (!ScanHexOct()) ScanDecimal();
    if (!seen_digit_) return DISP_E_TYPEMISMATCH;
    FinishDigits();
    ScanExponent();
    ScanSuffix();
    if (paren_open_) return DISP_E_TYPEMISMATCH;
    if ((flags_ & NUMPRS_USE_ALL) != 0 && text_[pos_] != 0) return DISP_E_TYPEMISMATCH;
    numprs->cDig = stored_;
    numprs->dwOutFlags = out_;
    numprs->cchUsed = pos_;
    numprs->nBaseShift = base_shift_;
    numprs->nPwr10 = static_cast<INT>(pwr10_);
    return S_OK;
  }

 private:
  wchar_t Peek(int ahead = 0) const { return text_[pos_ + ahead]; }

  bool Take(ULONG flag, bool condition) {
    if ((flags_ & flag) == 0 || !condition) return false;
    out_ |= flag;
    ++pos_;
    return true;
  }

  void SetNegative() {
    out_ |= NUMPRS_NEG;
    signed_ = true;
  }

  void ScanPrefix() {
    for (;;) {
      const wchar_t c = Peek();
      if (Take(NUMPRS_LEADING_WHITE, c != 0 && std::iswspace(c))) continue;
      if (!signed_ && Take(NUMPRS_LEADING_PLUS, c == L'+')) {
        signed_ = true;
        continue;
      }
      if (!signed_ && Take(NUMPRS_LEADING_MINUS, c == L'-')) {
        SetNegative();
        continue;
      }
      if (!signed_ && !paren_open_ && Take(NUMPRS_PARENS, c == L'(')) {
        paren_open_ = signed_ = true;
        continue;
      }
      if (Take(NUMPRS_CURRENCY, IsCurrencySymbol(c))) continue;
      return;
    }
  }

  // "&H1F" and "&O17": digits in base 16 or 8, no decimals or exponent.
  bool ScanHexOct() {
    if ((flags_ & NUMPRS_HEX_OCT) == 0 || Peek() != L'&') return false;
    const wchar_t kind = static_cast<wchar_t>(std::towupper(Peek(1)));
    if (kind != L'H' && kind != L'O') return false;
    base_shift_ = kind == L'H' ? 4 : 3;
    pos_ += 2;
    out_ |= NUMPRS_HEX_OCT;
    for (int value; (value = DigitValue(Peek(), base_shift_)) >= 0 && value < (1 << base_shift_);
         ++pos_) {
      seen_digit_ = true;
      if (stored_ == 0 && value == 0) continue;
      if (stored_ == room_) {  // too many digits for any integer type
        out_ |= NUMPRS_INEXACT;
        continue;
      }
      digits_[stored_++] = static_cast<BYTE>(value);
    }
    return true;
  }

  void ScanDecimal() {
    for (;;) {
      const wchar_t c = Peek();
      if (c >= L'0' && c <= L'9') {
        AddDigit(c - L'0');
        ++pos_;
      } else if (!in_fraction_ && seen_digit_ &&
                 Take(NUMPRS_THOUSANDS, c == locale_.thousands_separator)) {
      } else if (!in_fraction_ && Take(NUMPRS_DECIMAL, c == locale_.decimal_separator)) {
        in_fraction_ = true;
      } else {
        return;
      }
    }
  }

  void AddDigit(int value) {
    seen_digit_ = true;
    if (stored_ == 0 && value == 0) {  // a leading zero carries no digit
      if (in_fraction_) --pwr10_;
      return;
    }
    if (stored_ < room_) {
      digits_[stored_++] = static_cast<BYTE>(value);
      if (in_fraction_) --pwr10_;
      return;
    }
    if (!in_fraction_) ++pwr10_;
    if (first_dropped_ < 0) {
      first_dropped_ = value;
    } else {
      dropped_rest_ |= value != 0;
    }
  }

  // Rounds away what did not fit (half to even) and strips trailing zeros.
  void FinishDigits() {
    if (base_shift_ != 0) {
      if (stored_ == 0) digits_[stored_++] = 0;
      return;
    }
    if (first_dropped_ > 0 || dropped_rest_) out_ |= NUMPRS_INEXACT;
    const bool odd = stored_ > 0 && (digits_[stored_ - 1] & 1) != 0;
    if (first_dropped_ > 5 || (first_dropped_ == 5 && (dropped_rest_ || odd))) RoundUp();
    while (stored_ > 1 && digits_[stored_ - 1] == 0) {
      --stored_;
      ++pwr10_;
    }
    if (stored_ == 0) {
      digits_[stored_++] = 0;
      pwr10_ = 0;
    }
  }

  void RoundUp() {
    int i = stored_ - 1;
    while (i >= 0 && digits_[i] == 9) digits_[i--] = 0;
    if (i >= 0) {
      ++digits_[i];
    } else {  // 99..9 became 100..0: one digit more than fits
      digits_[0] = 1;
      ++pwr10_;
    }
  }

  void ScanExponent() {
    if ((flags_ & NUMPRS_EXPONENT) == 0 || base_shift_ != 0) return;
    const wchar_t marker = static_cast<wchar_t>(std::towupper(Peek()));
    if (marker != L'E' && marker != L'D') return;
    int ahead = 1;
    const bool negative = Peek(ahead) == L'-';
    if (negative || Peek(ahead) == L'+') ++ahead;
    if (Peek(ahead) < L'0' || Peek(ahead) > L'9') return;
    long long exponent = 0;
    for (wchar_t c; (c = Peek(ahead)) >= L'0' && c <= L'9'; ++ahead) {
      if (exponent < kMaxExponent) exponent = exponent * 10 + (c - L'0');
    }
    pos_ += ahead;
    out_ |= NUMPRS_EXPONENT;
    pwr10_ += negative ? -exponent : exponent;
    if (pwr10_ > kMaxExponent) pwr10_ = kMaxExponent;
    if (pwr10_ < -kMaxExponent) pwr10_ = -kMaxExponent;
  }

  void ScanSuffix() {
    for (;;) {
      const wchar_t c = Peek();
      if (Take(NUMPRS_TRAILING_WHITE, c != 0 && std::iswspace(c))) continue;
      if (!signed_ && Take(NUMPRS_TRAILING_PLUS, c == L'+')) {
        signed_ = true;
        continue;
      }
      if (!signed_ && Take(NUMPRS_TRAILING_MINUS, c == L'-')) {
        SetNegative();
        continue;
      }
      if (paren_open_ && Take(NUMPRS_PARENS, c == L')')) {
        paren_open_ = false;
        SetNegative();
        continue;
      }
      if (Take(NUMPRS_CURRENCY, IsCurrencySymbol(c))) continue;
      return;
    }
  }

  const OLECHAR* text_;
  const LocaleInfo& locale_;
  ULONG flags_;
  int room_;
  BYTE* digits_;
  int pos_ = 0;
  ULONG out_ = 0;
  int stored_ = 0;
  long long pwr10_ = 0;
  int base_shift_ = 0;
  bool signed_ = false;
  bool paren_open_ = false;
  bool seen_digit_ = false;
  bool in_fraction_ = false;
  int first_dropped_ = -1;
  bool dropped_rest_ = false;
};

// Integer types in the order in which the smallest fitting one is chosen.
constexpr VARTYPE kIntegerOrder[] = {VT_I1, VT_UI1, VT_I2, VT_UI2, VT_I4, VT_UI4, VT_I8, VT_UI8};

bool StoreFirstFitting(const ExactNumber& number, const VARTYPE* types, int count, ULONG vt_bits,
                       VARIANT* result) {
  for (int i = 0; i < count; ++i) {
    if ((vt_bits & (1u << types[i])) != 0 &&
        SUCCEEDED(ebank::platform::ExactToVariant(number, types[i], result))) {
      return true;
    }
  }
  return false;
}

bool StoreSmallestInteger(const ExactNumber& number, ULONG vt_bits, VARIANT* result) {
  return StoreFirstFitting(number, kIntegerOrder, 8, vt_bits, result);
}

bool StoreExactFraction(const ExactNumber& number, ULONG vt_bits, VARIANT* result) {
  constexpr VARTYPE kExactOrder[] = {VT_CY, VT_DECIMAL};
  return StoreFirstFitting(number, kExactOrder, 2, vt_bits, result);
}

// The nearest double of the digits, rounded once by strtod.
double DigitsToDouble(const NUMPARSE& numprs, const BYTE* digits) {
  std::string text;
  for (int i = 0; i < numprs.cDig; ++i) text += static_cast<char>('0' + digits[i] % 10);
  text += 'e' + std::to_string(numprs.nPwr10);
  const double value = std::strtod(text.c_str(), nullptr);
  return (numprs.dwOutFlags & NUMPRS_NEG) != 0 ? -value : value;
}

bool StoreFloating(const NUMPARSE& numprs, const BYTE* digits, ULONG vt_bits, VARIANT* result) {
  if ((vt_bits & (VTBIT_R8 | VTBIT_R4)) == 0) return false;
  const double value = DigitsToDouble(numprs, digits);
  for (VARTYPE vt : {VT_R8, VT_R4}) {
    if ((vt_bits & (1u << vt)) != 0 &&
        SUCCEEDED(ebank::platform::DoubleToVariant(value, vt, result))) {
      return true;
    }
  }
  return false;
}

// Currency alone, with at most 18 digits and 4 decimals, fits 64 bits; this
// is the common case of amount texts and needs no wide arithmetic.
bool StoreSmallCurrency(const NUMPARSE& numprs, const BYTE* digits, VARIANT* result) {
  const int shift = numprs.nPwr10 + 4;
  if (numprs.cDig > 18 || shift < 0 || numprs.cDig + shift > 18) return false;
  long long raw = 0;
  for (int i = 0; i < numprs.cDig; ++i) raw = raw * 10 + digits[i] % 10;
  for (int i = 0; i < shift; ++i) raw *= 10;
  result->vt = VT_CY;
  result->cyVal.int64 = (numprs.dwOutFlags & NUMPRS_NEG) != 0 ? -raw : raw;
  return true;
}

// Hexadecimal and octal digits form an unsigned integer of at most 64 bits.
HRESULT HexOctToVariant(const NUMPARSE& numprs, const BYTE* digits, ULONG vt_bits,
                        VARIANT* result) {
  Uint128 value = 0;
  for (int i = 0; i < numprs.cDig; ++i) {
    value = (value << numprs.nBaseShift) | (digits[i] & ((1u << numprs.nBaseShift) - 1));
    if (value > ~0ULL) return DISP_E_OVERFLOW;
  }
  const ExactNumber number{false, value, 0};
  if (StoreSmallestInteger(number, vt_bits, result)) return S_OK;
  if (StoreExactFraction(number, vt_bits, result)) return S_OK;
  return DISP_E_OVERFLOW;
}

constexpr ULONG kIntegerBits =
    VTBIT_I1 | VTBIT_UI1 | VTBIT_I2 | VTBIT_UI2 | VTBIT_I4 | VTBIT_UI4 | VTBIT_I8 | VTBIT_UI8;

}  // namespace

extern "C" HRESULT VarParseNumFromStr(const OLECHAR* text, LCID lcid, ULONG flags, NUMPARSE* numprs,
                                      BYTE* digits) {
  if (text == nullptr || numprs == nullptr || digits == nullptr || numprs->cDig < 1) {
    return E_INVALIDARG;
  }
  (void)flags;  // user overrides do not exist here
  NumberScanner scanner(text, ebank::platform::GetLocaleInfoFor(lcid), numprs->dwInFlags,
                        numprs->cDig, digits);
  return scanner.Scan(numprs);
}

extern "C" HRESULT VarNumFromParseNum(NUMPARSE* numprs, BYTE* digits, ULONG vt_bits,
                                      VARIANT* result) {
  if (numprs == nullptr || digits == nullptr || result == nullptr || numprs->cDig < 1) {
    return E_INVALIDARG;
  }
  if (numprs->nBaseShift == 3 || numprs->nBaseShift == 4) {
    return HexOctToVariant(*numprs, digits, vt_bits, result);
  }
  if (numprs->nBaseShift != 0) return E_INVALIDARG;
  if (vt_bits == VTBIT_CY && StoreSmallCurrency(*numprs, digits, result)) return S_OK;
  ExactNumber number;
  const bool negative = (numprs->dwOutFlags & NUMPRS_NEG) != 0;
  if (!ebank::platform::ExactFromDigits(digits, numprs->cDig, numprs->nPwr10, negative, &number)) {
    return StoreFloating(*numprs, digits, vt_bits, result) ? S_OK : DISP_E_OVERFLOW;
  }
  if (number.scale == 0 && StoreSmallestInteger(number, vt_bits, result)) return S_OK;
  if (StoreFloating(*numprs, digits, vt_bits, result)) return S_OK;
  if (StoreExactFraction(number, vt_bits, result)) return S_OK;
  if ((vt_bits & kIntegerBits) != 0 && number.scale != 0) {
    ebank::platform::RoundToScale(&number, 0);
    if (StoreSmallestInteger(number, vt_bits, result)) return S_OK;
  }
  return DISP_E_OVERFLOW;
}

namespace ebank::platform {

HRESULT ParseNumberText(const OLECHAR* text, LCID lcid, ULONG vt_bits, VARIANT* result) {
  BYTE digits[64];
  NUMPARSE numprs{static_cast<INT>(sizeof digits), NUMPRS_STD, 0, 0, 0, 0};
  const HRESULT hr = VarParseNumFromStr(text, lcid, 0, &numprs, digits);
  if (FAILED(hr)) return hr;
  return VarNumFromParseNum(&numprs, digits, vt_bits, result);
}

}  // namespace ebank::platform
