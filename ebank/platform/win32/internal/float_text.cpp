#include "ebank/platform/win32/internal/float_text.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace ebank::platform {
namespace {

static_assert(LDBL_MANT_DIG <= 64, "the digit bounds read a mantissa as a 64-bit integer");

// Upper bounds of log10(2) and log10(5).
constexpr double kLog10Of2 = 0.30103;
constexpr double kLog10Of5 = 0.69898;

struct ExactDigits {
  std::size_t places;       // decimal places of the exact expansion
  std::size_t significant;  // at least its number of significant digits
};

// |value| is m * 2^k with m odd. For k >= 0 it is an integer; for k < 0 it is
// m * 5^-k / 10^-k, which has -k decimal places and as many significant
// digits as the integer m * 5^-k at most.
ExactDigits CountExactDigits(long double value) {
  if (value == 0 || !std::isfinite(value)) return {0, 1};
  int exponent;
  const long double fraction = std::frexp(std::fabs(value), &exponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
  const int trailing_zeros = std::countr_zero(mantissa);
  mantissa >>= trailing_zeros;
  const long scale = static_cast<long>(exponent) - 64 + trailing_zeros;
  const double bits = std::bit_width(mantissa);
  if (scale >= 0) {
    return {0, static_cast<std::size_t>((bits + static_cast<double>(scale)) * kLog10Of2) + 2};
  }
  const auto places = static_cast<std::size_t>(-scale);
  return {places,
          static_cast<std::size_t>(bits * kLog10Of2 + static_cast<double>(places) * kLog10Of5) + 2};
}

// The precision past which `type` shows only zeros for this value (at least
// 1, so that the text has its decimal point).
std::size_t ExactPrecision(char type, long double value) {
  const ExactDigits digits = CountExactDigits(value);
  switch (type) {
    case 'f':
    case 'F':
      return std::max<std::size_t>(digits.places, 1);
    case 'e':
    case 'E':
    case 'g':
    case 'G':
      return digits.significant;
    default:
      return 16;  // hexadecimal digits of a 64-bit mantissa
  }
}

// "%", the flags, the precision, the size and the type, for the C library.
void BuildFormat(const FloatConversion& conversion, std::optional<std::size_t> precision,
                 char (&format)[32]) {
  char* p = format;
  *p++ = '%';
  if (conversion.plus) *p++ = '+';
  if (conversion.space) *p++ = ' ';
  if (conversion.alternate) *p++ = '#';
  if (precision) {
    *p++ = '.';
    p = std::to_chars(p, format + 24, *precision).ptr;
  }
  if (conversion.long_double) *p++ = 'L';
  *p++ = conversion.type;
  *p = '\0';
}

int Print(char* out, std::size_t size, const char* format, bool long_double, long double value) {
  return long_double ? std::snprintf(out, size, format, value)
                     : std::snprintf(out, size, format, static_cast<double>(value));
}

}  // namespace

FloatText::FloatText(const FloatConversion& conversion, long double value)
    : finite_(std::isfinite(value)) {
  std::optional<std::size_t> precision = conversion.precision;
  const char type = conversion.type;
  const bool keeps_zeros = (type != 'g' && type != 'G') || conversion.alternate;
  if (!finite_) {
    precision.reset();  // infinity and NaN show no digits
  } else if (precision) {
    const std::size_t exact = ExactPrecision(type, value);
    if (*precision > exact) {
      if (keeps_zeros) extra_zeros_ = *precision - exact;
      precision = exact;
    }
  }
  char format[32];
  BuildFormat(conversion, precision, format);
  const int length = Print(buffer_, sizeof buffer_, format, conversion.long_double, value);
  if (length < 0) return;
  if (static_cast<std::size_t>(length) < sizeof buffer_) {
    text_ = std::string_view(buffer_, static_cast<std::size_t>(length));
  } else {
    large_.resize(static_cast<std::size_t>(length));
    Print(large_.data(), large_.size() + 1, format, conversion.long_double, value);
    text_ = large_;
  }

  if (!text_.empty() && (text_[0] == '-' || text_[0] == '+' || text_[0] == ' ')) sign_length_ = 1;
  const bool hexadecimal = type == 'a' || type == 'A';
  if (hexadecimal && finite_) sign_length_ += 2;  // 0x or 0X
  zeros_at_ = text_.size();
  if (extra_zeros_ != 0) {
    const std::size_t marker = text_.find_first_of(hexadecimal ? "pP" : "eE", sign_length_);
    if (marker != std::string_view::npos) zeros_at_ = marker;
  }
}

}  // namespace ebank::platform
