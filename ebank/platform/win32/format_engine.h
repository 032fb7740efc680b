// The printf-style engine behind wvsprintfA, wvsprintfW and _vsnwprintf.
//
// One template serves narrow and wide output. Text arguments of the output's
// own width are copied; the other width passes through the ANSI code page.
// In a narrow format %s and %c are narrow and %S %C wide; in a wide format the
// other way round; the prefixes h (narrow) and l or w (wide) fix the width
// either way. There is no floating point and no %n.
#ifndef EBANK_PLATFORM_WIN32_FORMAT_ENGINE_H_
#define EBANK_PLATFORM_WIN32_FORMAT_ENGINE_H_

#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "ebank/platform/win32/bounded_output.h"
#include "ebank/platform/win32/code_page.h"

namespace ebank::platform {

// kWindows is the wsprintf set; kRuntime adds the C runtime's %p, %o, '*'
// widths and the 64-bit prefixes ll and I64.
enum class FormatDialect { kWindows, kRuntime };

template <typename CharT>
class FormatEngine {
 public:
  FormatEngine(BoundedOutput<CharT>& out, FormatDialect dialect) : out_(out), dialect_(dialect) {}

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
  enum class Size { kDefault, kShort, kLong, kLongLong };

  struct Conversion {
    bool left = false;
    bool zero = false;
    bool alternate = false;
    std::size_t width = 0;
    std::optional<std::size_t> precision;
    Size size = Size::kDefault;
    bool narrow_prefix = false;  // h
    bool wide_prefix = false;    // l, w
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

  bool runtime() const { return dialect_ == FormatDialect::kRuntime; }

  static bool IsDigit(CharT c) { return c >= '0' && c <= '9'; }

  // Reads a decimal number, saturating at INT_MAX, or a '*' argument.
  std::size_t ReadCount(const CharT*& p) {
    if (*p == '*' && runtime()) {
      ++p;
      const int value = va_arg(*args_, int);
      return value < 0 ? 0 : static_cast<std::size_t>(value);
    }
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
      } else {
        return p;
      }
    }
  }

  const CharT* ParseSize(const CharT* p, Conversion& conversion) {
    if (*p == 'h') {
      conversion.size = Size::kShort, conversion.narrow_prefix = true;
      return p + 1;
    }
    if (*p == 'l' && p[1] == 'l' && runtime()) {
      conversion.size = Size::kLongLong;
      return p + 2;
    }
    if (*p == 'l' || *p == 'w') {
      conversion.size = Size::kLong, conversion.wide_prefix = true;
      return p + 1;
    }
    if (*p == 'I' && runtime()) {
      if (p[1] == '6' && p[2] == '4') {
        conversion.size = Size::kLongLong;
        return p + 3;
      }
      if (p[1] == '3' && p[2] == '2') return p + 3;
    }
    return p;
  }

  // Handles one conversion; `p` points after the '%'. Returns where to go on.
  const CharT* Convert(const CharT* p) {
    Conversion conversion;
    p = ParseFlags(p, conversion);
    conversion.width = ReadCount(p);
    if (*p == '.') {
      ++p;
      conversion.precision = ReadCount(p);
    }
    p = ParseSize(p, conversion);
    const CharT type = *p;
    if (type == 0) return p;
    switch (type) {
      case 'd':
      case 'i':
        FormatSigned(conversion);
        break;
      case 'u':
        FormatUnsigned(conversion, 10, false);
        break;
      case 'x':
      case 'X':
        FormatUnsigned(conversion, 16, type == 'X');
        break;
      case 'o':
        if (!runtime()) return Literal(p);
        FormatUnsigned(conversion, 8, false);
        break;
      case 'p':
        if (!runtime()) return Literal(p);
        FormatPointer(conversion);
        break;
      case 'c':
      case 'C':
        FormatChar(conversion, TakesOwnWidth(conversion, type == 'c'));
        break;
      case 's':
      case 'S':
        FormatString(conversion, TakesOwnWidth(conversion, type == 's'));
        break;
      default:
        return Literal(p);
    }
    return p + 1;
  }

  // Unknown conversions and %% print the conversion character itself.
  const CharT* Literal(const CharT* p) {
    out_.Put(*p);
    return p + 1;
  }

  // Whether a %c/%s argument has the output's character width: the lower-case
  // letter means "same as the format" unless a prefix says otherwise.
  static bool TakesOwnWidth(const Conversion& conversion, bool lower_case) {
    constexpr bool kNarrowOutput = std::is_same_v<CharT, char>;
    if (conversion.narrow_prefix) return kNarrowOutput;
    if (conversion.wide_prefix) return !kNarrowOutput;
    return lower_case;
  }

  void FormatSigned(const Conversion& conversion) {
    std::int64_t value;
    if (conversion.size == Size::kLongLong) {
      value = va_arg(*args_, long long);
    } else if (conversion.size == Size::kShort) {
      value = static_cast<short>(va_arg(*args_, int));
    } else {
      value = va_arg(*args_, int);
    }
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    FormatInteger(conversion, magnitude, 10, false, value < 0 ? "-" : "");
  }

  void FormatUnsigned(const Conversion& conversion, unsigned radix, bool upper) {
    std::uint64_t value;
    if (conversion.size == Size::kLongLong) {
      value = va_arg(*args_, unsigned long long);
    } else if (conversion.size == Size::kShort) {
      value = static_cast<unsigned short>(va_arg(*args_, unsigned));
    } else {
      value = va_arg(*args_, unsigned);
    }
    const char* prefix = "";
    if (conversion.alternate && value != 0) {
      if (radix == 16) prefix = upper ? "0X" : "0x";
      if (radix == 8) prefix = "0";
    }
    FormatInteger(conversion, value, radix, upper, prefix);
  }

  // Pointers print as all their hexadecimal digits in upper case.
  void FormatPointer(Conversion conversion) {
    const auto value = reinterpret_cast<std::uintptr_t>(va_arg(*args_, void*));
    conversion.precision = 2 * sizeof(void*);
    FormatInteger(conversion, value, 16, true, "");
  }

  void FormatInteger(const Conversion& conversion, std::uint64_t value, unsigned radix, bool upper,
                     const char* prefix) {
    const char* digit_set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    CharT digits[24];
    std::size_t count = 0;
    for (; value != 0; value /= radix) digits[count++] = digit_set[value % radix];
    const std::size_t precision = conversion.precision.value_or(1);
    const std::size_t zeros = precision > count ? precision - count : 0;
    const std::size_t prefix_length = std::char_traits<char>::length(prefix);
    const std::size_t length = prefix_length + zeros + count;
    const std::size_t padding = conversion.width > length ? conversion.width - length : 0;
    const bool zero_pad = conversion.zero && !conversion.left && !conversion.precision;

    if (!conversion.left && !zero_pad) out_.Fill(' ', padding);
    for (const char* c = prefix; *c != 0; ++c) out_.Put(static_cast<CharT>(*c));
    out_.Fill('0', zeros + (zero_pad ? padding : 0));
    for (std::size_t i = count; i > 0; --i) out_.Put(digits[i - 1]);
    if (conversion.left) out_.Fill(' ', padding);
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
        Pad(conversion, ConvertWidth(Limited(text, conversion.precision, ConversionLimit())));
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
  // four bytes and at least one, so this always shows whether the text is cut.
  std::size_t ConversionLimit() const {
    return out_.measures_only() ? SIZE_MAX : 4 * (out_.room() + 1);
  }

  static std::basic_string<CharT> ConvertWidth(std::basic_string_view<OtherCharT> text) {
    if constexpr (std::is_same_v<CharT, char>) {
      return NarrowFromWide(text);
    } else {
      return WideFromNarrow(text);
    }
  }

  void Pad(const Conversion& conversion, std::basic_string_view<CharT> text) {
    const std::size_t padding = conversion.width > text.size() ? conversion.width - text.size() : 0;
    if (!conversion.left) out_.Fill(conversion.zero ? '0' : ' ', padding);
    out_.Append(text.data(), text.size());
    if (conversion.left) out_.Fill(' ', padding);
  }

  BoundedOutput<CharT>& out_;
  FormatDialect dialect_;
  va_list* args_ = nullptr;
};

// The wsprintf buffer: 1024 characters including the NUL.
inline constexpr std::size_t kWindowsFormatBufferSize = 1024;

// wvsprintfA and wvsprintfW: formats into `out` (room for
// kWindowsFormatBufferSize characters), cutting the text to leave room for the
// NUL. Returns the length written without the NUL.
template <typename CharT>
int FormatWindowsText(CharT* out, const CharT* format, va_list args) {
  if (out == nullptr) return 0;
  BoundedOutput<CharT> output(out, kWindowsFormatBufferSize - 1);
  if (format != nullptr) {
    va_list copy;
    va_copy(copy, args);
    FormatEngine<CharT>(output, FormatDialect::kWindows).Run(format, &copy);
    va_end(copy);
  }
  out[output.written()] = 0;
  return static_cast<int>(output.written());
}

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_FORMAT_ENGINE_H_
