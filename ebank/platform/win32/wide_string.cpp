#include "ebank/platform/win32/wide_string.h"

#include <climits>
#include <cstdint>

namespace {

// Case folding of the "C" locale extended by Latin-1 upper-case letters.
std::int64_t Fold(wchar_t c) {
  const bool ascii_upper = c >= L'A' && c <= L'Z';
  const bool latin1_upper = c >= 0xC0 && c <= 0xDE && c != 0xD7;
  return ascii_upper || latin1_upper ? c + 32 : c;
}

bool IsBlank(wchar_t c) {
  return c == L' ' || (c >= L'\t' && c <= L'\r');
}

// Writes `value` in `radix` with a NUL; the sign only in radix 10.
template <typename CharT>
CharT* FormatLong(LONG value, CharT* out, int radix) {
  if (out == nullptr) return nullptr;
  if (radix < 2 || radix > 36) {
    out[0] = 0;
    return out;
  }
  const bool negative = radix == 10 && value < 0;
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (negative) magnitude = 0u - magnitude;
  CharT digits[32];
  int count = 0;
  do {
    const std::uint32_t digit = magnitude % static_cast<std::uint32_t>(radix);
    digits[count++] = static_cast<CharT>(digit < 10 ? '0' + digit : 'a' + digit - 10);
    magnitude /= static_cast<std::uint32_t>(radix);
  } while (magnitude != 0);
  CharT* p = out;
  if (negative) *p++ = '-';
  while (count > 0) *p++ = digits[--count];
  *p = 0;
  return out;
}

}  // namespace

extern "C" {

int _wcsicmp(const wchar_t* left, const wchar_t* right) {
  if (left == nullptr || right == nullptr) {
    return left == right ? 0 : (left == nullptr ? -1 : 1);
  }
  for (;; ++left, ++right) {
    const std::int64_t difference = Fold(*left) - Fold(*right);
    if (difference != 0) {
      return difference < INT_MIN ? INT_MIN : (difference > INT_MAX ? INT_MAX : int(difference));
    }
    if (*left == 0) return 0;
  }
}

LONG _wtol(const wchar_t* text) {
  if (text == nullptr) return 0;
  while (IsBlank(*text)) ++text;
  const bool negative = *text == L'-';
  if (*text == L'-' || *text == L'+') ++text;
  // Accumulate the magnitude, stopping once it is beyond any 32-bit value.
  std::int64_t magnitude = 0;
  for (; *text >= L'0' && *text <= L'9'; ++text) {
    if (magnitude <= INT32_MAX + std::int64_t{1}) magnitude = magnitude * 10 + (*text - L'0');
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<LONG>(value);
}

wchar_t* _ltow(LONG value, wchar_t* out, int radix) {
  return FormatLong(value, out, radix);
}

char* _ltoa(LONG value, char* out, int radix) {
  return FormatLong(value, out, radix);
}

}  // extern "C"
