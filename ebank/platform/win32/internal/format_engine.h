// The printf-style engine behind wvsprintfA/W and _vsnprintf/_vsnwprintf.
//
// One template serves narrow and wide output and both dialects. Text arguments
// of the output's own width are copied; the other width passes through the
// ANSI code page. In a narrow format %s and %c are narrow and %S %C wide; in a
// wide format the other way round; the prefixes h (narrow) and l or w (wide)
// fix the width either way. Integers follow the LLP64 model of the original
// platform: l is 32 bits, ll and I64 are 64, I is pointer-sized.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_FORMAT_ENGINE_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_FORMAT_ENGINE_H_

#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "ebank/platform/win32/code_page.h"
#include "ebank/platform/win32/internal/bounded_output.h"
#include "ebank/platform/win32/internal/float_text.h"

namespace ebank::platform {

// Both dialects know the flags - 0 #, a width and a precision, the prefixes h
// l w I I32 I64 and the conversions d i u x X c C s S p %. kRuntime, the C
// runtime's vsprintf, adds the flags + and blank, '*' counts, the prefixes hh
// ll z t j L, %o, floating point (through the C library) and %n, which is
// refused: it takes its pointer and stores nothing. In both an unknown
// conversion prints its letter and takes no argument.
enum class FormatDialect { kWindows, kRuntime };

template <typename CharT, FormatDialect kDialect>
class FormatEngine {
 public:
  explicit FormatEngine(BoundedOutput<CharT>& out) : out_(out) {}

  // Formats `format` with the arguments in *args.
  void Run(const CharT* format, va_list* args) {
    args_ = args;
    const CharT* p = format;
    while (*p != 0) {
      const CharT* percent = FindPercent(p);
      out_.Append(p, static_cast<std::size_t>(percent - p));
      if (*percent == 0) return;
      p = Convert(percent + 1);
    }
  }

 private:
  using OtherCharT = std::conditional_t<std::is_same_v<CharT, char>, wchar_t, char>;
  static constexpr bool kRuntime = kDialect == FormatDialect::kRuntime;
  static constexpr int kPointerBits = 8 * sizeof(void*);

  struct Conversion {
    bool left = false;
    bool zero = false;
    bool alternate = false;
    bool plus = false;
    bool space = false;
    std::size_t width = 0;
    std::optional<std::size_t> precision;
    int bits = 32;               // size of an integer argument
    bool narrow_prefix = false;  // h
    bool wide_prefix = false;    // l, w
    bool long_double = false;    // L
  };

  // The next '%' or the terminator, with the C library's vectorised scans.
  static const CharT* FindPercent(const CharT* p) {
    if constexpr (std::is_same_v<CharT, char>) {
      return strchrnul(p, '%');
    } else {
      const CharT* percent = std::wcschr(p, L'%');
      return percent != nullptr ? percent : p + std::wcslen(p);
    }
  }

  static std::size_t BoundedLength(const char* text, std::size_t max) {
    return max == SIZE_MAX ? std::strlen(text) : strnlen(text, max);
  }
  static std::size_t BoundedLength(const wchar_t* text, std::size_t max) {
    return max == SIZE_MAX ? std::wcslen(text) : wcsnlen(text, max);
  }

  static bool IsDigit(CharT c) { return c >= '0' && c <= '9'; }

  // A decimal number, saturating at INT_MAX.
  static std::size_t ReadDecimal(const CharT*& p) {
    std::size_t value = 0;
    for (; IsDigit(*p); ++p) {
      value = std::min<std::size_t>(value * 10 + static_cast<std::size_t>(*p - '0'), INT_MAX);
    }
    return value;
  }

  const CharT* ParseFlags(const CharT* p, Conversion& conversion) {
    for (;; ++p) {
      if (*p == '-') {
        conversion.left = true;
      } else if (*p == '0') {
        conversion.zero = true;
      } else if (*p == '#') {
        conversion.alternate = true;
      } else if (*p == '+' && kRuntime) {
        conversion.plus = true;
      } else if (*p == ' ' && kRuntime) {
        conversion.space = true;
      } else {
        return p;
      }
    }
  }

  // A '*' width comes from an int argument; a negative one left-justifies.
  const CharT* ParseWidth(const CharT* p, Conversion& conversion) {
    if (*p != '*' || !kRuntime) {
      conversion.width = ReadDecimal(p);
      return p;
    }
    const int value = va_arg(*args_, int);
    if (value < 0) conversion.left = true;
    conversion.width = static_cast<std::size_t>(value < 0 ? -static_cast<long long>(value) : value);
    return p + 1;
  }

  // A negative '*' precision counts as none.
  const CharT* ParsePrecision(const CharT* p, Conversion& conversion) {
    if (*p != '.') return p;
    ++p;
    if (*p != '*' || !kRuntime) {
      conversion.precision = ReadDecimal(p);
      return p;
    }
    const int value = va_arg(*args_, int);
    if (value >= 0) conversion.precision = static_cast<std::size_t>(value);
    return p + 1;
  }

  const CharT* ParseSize(const CharT* p, Conversion& conversion) {
    switch (*p) {
      case 'h':
        conversion.narrow_prefix = true;
        if (kRuntime && p[1] == 'h') {
          conversion.bits = 8;
          return p + 2;
        }
        conversion.bits = 16;
        return p + 1;
      case 'l':
        if (kRuntime && p[1] == 'l') {
          conversion.bits = 64;
          return p + 2;
        }
        conversion.wide_prefix = true;
        return p + 1;
      case 'w':
        conversion.wide_prefix = true;
        return p + 1;
      case 'I':
        if (p[1] == '6' && p[2] == '4') {
          conversion.bits = 64;
          return p + 3;
        }
        if (p[1] == '3' && p[2] == '2') return p + 3;
        conversion.bits = kPointerBits;
        return p + 1;
      default:
        if constexpr (kRuntime) return ParseRuntimeSize(p, conversion);
        return p;
    }
  }

  static const CharT* ParseRuntimeSize(const CharT* p, Conversion& conversion) {
    switch (*p) {
      case 'z':
      case 't':
        conversion.bits = kPointerBits;
        return p + 1;
      case 'j':
        conversion.bits = 64;
        return p + 1;
      case 'L':
        conversion.long_double = true;
        return p + 1;
      default:
        return p;
    }
  }

  // Handles one conversion; `p` points after the '%'. Returns where to go on.
  const CharT* Convert(const CharT* p) {
    Conversion conversion;
    p = ParseFlags(p, conversion);
    p = ParseWidth(p, conversion);
    p = ParsePrecision(p, conversion);
    p = ParseSize(p, conversion);
    const CharT type = *p;
    if (type == 0) return p;
    // Unknown conversions and %% print the conversion character itself.
    if (!FormatArgument(conversion, type)) out_.Put(type);
    return p + 1;
  }

  // Formats the argument of a conversion both dialects know; false for others.
  bool FormatArgument(const Conversion& conversion, CharT type) {
    switch (type) {
      case 'd':
      case 'i':
        FormatSigned(conversion);
        return true;
      case 'u':
        FormatUnsigned<10>(conversion, false);
        return true;
      case 'x':
      case 'X':
        FormatUnsigned<16>(conversion, type == 'X');
        return true;
      case 'p':
        FormatPointer(conversion);
        return true;
      case 'c':
      case 'C':
        FormatChar(conversion, TakesOwnWidth(conversion, type == 'c'));
        return true;
      case 's':
      case 'S':
        FormatString(conversion, TakesOwnWidth(conversion, type == 's'));
        return true;
      default:
        if constexpr (kRuntime) return FormatRuntimeArgument(conversion, type);
        return false;
    }
  }

  bool FormatRuntimeArgument(const Conversion& conversion, CharT type) {
    switch (type) {
      case 'o':
        FormatUnsigned<8>(conversion, false);
        return true;
      case 'e':
      case 'E':
      case 'f':
      case 'F':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        FormatFloat(conversion, static_cast<char>(type));
        return true;
      case 'n':
        static_cast<void>(va_arg(*args_, void*));
        return true;
      default:
        return false;
    }
  }

  // Whether a %c/%s argument has the output's character width: the lower-case
  // letter means "same as the format" unless a prefix says otherwise.
  static bool TakesOwnWidth(const Conversion& conversion, bool lower_case) {
    constexpr bool kNarrowOutput = std::is_same_v<CharT, char>;
    if (conversion.narrow_prefix) return kNarrowOutput;
    if (conversion.wide_prefix) return !kNarrowOutput;
    return lower_case;
  }

  // Arguments narrower than int arrive promoted to int and are cut back.
  std::int64_t ReadSigned(int bits) {
    if (bits == 64) return va_arg(*args_, long long);
    const int value = va_arg(*args_, int);
    if (bits == 8) return static_cast<signed char>(value);
    if (bits == 16) return static_cast<short>(value);
    return value;
  }

  std::uint64_t ReadUnsigned(int bits) {
    if (bits == 64) return va_arg(*args_, unsigned long long);
    const unsigned value = va_arg(*args_, unsigned);
    if (bits == 8) return static_cast<unsigned char>(value);
    if (bits == 16) return static_cast<unsigned short>(value);
    return value;
  }

  void FormatSigned(const Conversion& conversion) {
    const std::int64_t value = ReadSigned(conversion.bits);
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const char* sign = value < 0 ? "-" : conversion.plus ? "+" : conversion.space ? " " : "";
    FormatInteger<10>(conversion, magnitude, false, sign);
  }

  template <unsigned kRadix>
  void FormatUnsigned(const Conversion& conversion, bool upper) {
    const std::uint64_t value = ReadUnsigned(conversion.bits);
    const char* prefix = kRadix == 16 ? HexPrefix(conversion, upper, value) : "";
    FormatInteger<kRadix>(conversion, value, upper, prefix);
  }

  // # puts 0x before a non-zero hexadecimal number.
  static const char* HexPrefix(const Conversion& conversion, bool upper, std::uint64_t value) {
    if (!conversion.alternate || value == 0) return "";
    return upper ? "0X" : "0x";
  }

  // Pointers print as all their hexadecimal digits in upper case.
  void FormatPointer(const Conversion& conversion) {
    const auto value = reinterpret_cast<std::uintptr_t>(va_arg(*args_, void*));
    Conversion pointer = conversion;
    pointer.precision = 2 * sizeof(void*);
    FormatInteger<16>(pointer, value, true, HexPrefix(conversion, true, value));
  }

  // The radix is a template argument so that the divisions become
  // multiplications.
  template <unsigned kRadix>
  void FormatInteger(const Conversion& conversion, std::uint64_t value, bool upper,
                     const char* prefix) {
    const char* digit_set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    CharT buffer[24];
    CharT* digits = std::end(buffer);
    for (; value != 0; value /= kRadix) *--digits = static_cast<CharT>(digit_set[value % kRadix]);
    const auto count = static_cast<std::size_t>(std::end(buffer) - digits);
    const std::size_t precision = conversion.precision.value_or(1);
    std::size_t zeros = precision > count ? precision - count : 0;
    // # makes an octal number start with 0.
    if (kRadix == 8 && conversion.alternate && zeros == 0) zeros = 1;
    const std::size_t prefix_length = std::char_traits<char>::length(prefix);
    const std::size_t length = prefix_length + zeros + count;
    const std::size_t padding = conversion.width > length ? conversion.width - length : 0;
    const bool zero_pad = conversion.zero && !conversion.left && !conversion.precision;

    if (!conversion.left && !zero_pad) out_.Fill(' ', padding);
    AppendAscii(std::string_view(prefix, prefix_length));
    out_.Fill('0', zeros + (zero_pad ? padding : 0));
    out_.Append(digits, count);
    if (conversion.left) out_.Fill(' ', padding);
  }

  void FormatFloat(const Conversion& conversion, char type) {
    const long double value =
        conversion.long_double ? va_arg(*args_, long double) : va_arg(*args_, double);
    if (out_.full()) {
      // Nothing more is kept; one character tells the buffer the text goes on.
      out_.Put('0');
      return;
    }
    const FloatText text({type, conversion.plus, conversion.space, conversion.alternate,
                          conversion.precision, conversion.long_double},
                         value);
    const std::size_t padding = conversion.width > text.size() ? conversion.width - text.size() : 0;
    const bool zero_pad = conversion.zero && !conversion.left && text.finite();
    if (!conversion.left && !zero_pad) out_.Fill(' ', padding);
    AppendAscii(text.sign());
    if (zero_pad) out_.Fill('0', padding);
    AppendAscii(text.digits());
    out_.Fill('0', text.extra_zeros());
    AppendAscii(text.exponent());
    if (conversion.left) out_.Fill(' ', padding);
  }

  // Text the engine makes itself (signs, prefixes, numbers) is plain ASCII.
  void AppendAscii(std::string_view text) {
    if constexpr (std::is_same_v<CharT, char>) {
      out_.Append(text.data(), text.size());
    } else {
      for (const char c : text) out_.Put(static_cast<unsigned char>(c));
    }
  }

  void FormatChar(const Conversion& conversion, bool own_width) {
    const int value = va_arg(*args_, int);
    if (own_width) {
      const CharT c = static_cast<CharT>(value);
      Pad(conversion, std::basic_string_view<CharT>(&c, 1));
    } else {
      const OtherCharT c = static_cast<OtherCharT>(value);
      Pad(conversion, ConvertWidth(std::basic_string_view<OtherCharT>(&c, 1)));
    }
  }

  void FormatString(const Conversion& conversion, bool own_width) {
    if (own_width) {
      Pad(conversion, Limited(va_arg(*args_, const CharT*), conversion.precision));
    } else {
      const auto* text = va_arg(*args_, const OtherCharT*);
      if (text == nullptr) {
        Pad(conversion, Limited<CharT>(nullptr, conversion.precision));
      } else {
        const std::size_t limit = ConversionLimit(conversion.width);
        Pad(conversion, ConvertWidth(Limited(text, conversion.precision, limit)));
      }
    }
  }

  // At most `limit` characters of `text` (its terminator ends it earlier);
  // null reads as "(null)".
  template <typename T>
  static std::basic_string_view<T> Limited(const T* text, std::optional<std::size_t> precision,
                                           std::size_t limit = SIZE_MAX) {
    static constexpr T kNull[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
    if (text == nullptr) text = kNull;
    const std::size_t max = std::min(precision.value_or(SIZE_MAX), limit);
    return std::basic_string_view<T>(text, BoundedLength(text, max));
  }

  // Source characters worth converting: one wide character narrows to at most
  // four bytes and at least one. A text cut here still fills the room left and
  // reaches the width, so both what is kept and its padding come out as the
  // whole text would give them.
  std::size_t ConversionLimit(std::size_t width) const {
    return out_.measures_only() ? SIZE_MAX : 4 * (std::max(width, out_.room()) + 1);
  }

  static std::basic_string<CharT> ConvertWidth(std::basic_string_view<OtherCharT> text) {
    if constexpr (std::is_same_v<CharT, char>) {
      return NarrowFromWide(text);
    } else {
      return WideFromNarrow(text);
    }
  }

  // The 0 flag pads texts with zeros too.
  void Pad(const Conversion& conversion, std::basic_string_view<CharT> text) {
    const std::size_t padding = conversion.width > text.size() ? conversion.width - text.size() : 0;
    if (!conversion.left) out_.Fill(conversion.zero ? '0' : ' ', padding);
    out_.Append(text.data(), text.size());
    if (conversion.left) out_.Fill(' ', padding);
  }

  BoundedOutput<CharT>& out_;
  va_list* args_ = nullptr;
};

// Runs the engine of `kDialect` over `format` with a copy of `args`.
template <FormatDialect kDialect, typename CharT>
void FormatInto(BoundedOutput<CharT>& output, const CharT* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  FormatEngine<CharT, kDialect>(output).Run(format, &copy);
  va_end(copy);
}

// The wsprintf buffer: 1024 characters including the NUL.
inline constexpr std::size_t kWindowsFormatBufferSize = 1024;

// wvsprintfA and wvsprintfW: formats into `out` (room for
// kWindowsFormatBufferSize characters), cutting the text to leave room for the
// NUL. Returns the length written without the NUL.
template <typename CharT>
int FormatWindowsText(CharT* out, const CharT* format, va_list args) {
  if (out == nullptr) return 0;
  BoundedOutput<CharT> output(out, kWindowsFormatBufferSize - 1);
  if (format != nullptr) FormatInto<FormatDialect::kWindows>(output, format, args);
  out[output.written()] = 0;
  return static_cast<int>(output.written());
}

// _vsnprintf and _vsnwprintf: writes at most `count` characters. Returns the
// length when the text fits (a NUL follows when there is room for it), or -1
// when it was cut at `count` characters, with no NUL written. A null `out`
// with `count` 0 asks for the length the text needs.
template <typename CharT>
int FormatRuntimeText(CharT* out, std::size_t count, const CharT* format, va_list args) {
  if (format == nullptr || (out == nullptr && count != 0)) return -1;
  BoundedOutput<CharT> output(out, count);
  FormatInto<FormatDialect::kRuntime>(output, format, args);
  if (output.measures_only() && out == nullptr) {
    return output.total() > INT_MAX ? -1 : static_cast<int>(output.total());
  }
  if (output.truncated() || output.written() > INT_MAX) return -1;
  if (output.written() < count) out[output.written()] = 0;
  return static_cast<int>(output.written());
}

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_FORMAT_ENGINE_H_
