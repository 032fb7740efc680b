#include "ebank/platform/win32/code_page.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <optional>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/last_error.h"

namespace {

enum class Charset { kWindows1252, kLatin1, kUtf8 };

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined
// map to the C1 control of the same value, as the system's table does.
constexpr char32_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

std::optional<Charset> CharsetOf(UINT code_page) {
  switch (code_page) {
    case CP_WINDOWS_1252:
      return Charset::kWindows1252;
    case CP_LATIN_1:
      return Charset::kLatin1;
    case CP_UTF8:
      return Charset::kUtf8;
    default:
      return std::nullopt;
  }
}

// The ANSI and OEM selectors resolve to the configured ANSI code page.
std::optional<Charset> ResolveCodePage(UINT code_page) {
  if (code_page == CP_ACP || code_page == CP_OEMCP || code_page == CP_THREAD_ACP) {
    return CharsetOf(GetACP());
  }
  return CharsetOf(code_page);
}

wchar_t DecodeSingleByte(Charset charset, unsigned char byte) {
  if (charset == Charset::kWindows1252 && byte >= 0x80 && byte < 0xA0) {
    return static_cast<wchar_t>(kWindows1252High[byte - 0x80]);
  }
  return static_cast<wchar_t>(byte);
}

// The byte for `c`, or -1 when the single-byte code page lacks it.
int EncodeSingleByte(Charset charset, wchar_t c) {
  const auto code = static_cast<std::uint32_t>(c);
  if (charset == Charset::kLatin1) return code <= 0xFF ? static_cast<int>(code) : -1;
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (int i = 0; i < 32; ++i) {
    if (kWindows1252High[i] == code) return 0x80 + i;
  }
  return -1;
}

bool IsScalarValue(std::uint32_t code) {
  return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// Bounded output of a conversion. With capacity 0 it only counts (size query);
// otherwise it stops at the capacity and remembers that it overflowed.
template <typename T>
class ConversionOutput {
 public:
  ConversionOutput(T* out, int capacity) : out_(out), capacity_(capacity) {}

  void Put(T c) {
    if (capacity_ != 0) {
      if (count_ >= capacity_) {
        overflow_ = true;
        return;
      }
      out_[count_] = c;
    }
    ++count_;
  }
  bool full() const { return overflow_ || count_ > INT_MAX - 4; }

  // The count to return, or 0 with the last error set.
  int Finish() const {
    if (overflow_) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    if (count_ > INT_MAX - 4) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    return static_cast<int>(count_);
  }

 private:
  T* out_;
  std::int64_t capacity_;
  std::int64_t count_ = 0;
  bool overflow_ = false;
};

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Decodes one UTF-8 sequence at text[i..n). Returns the code point and sets
// `length`; an invalid sequence yields nullopt with `length` covering the lead
// byte and the continuation bytes that were still plausible.
std::optional<char32_t> DecodeUtf8(const unsigned char* text, std::size_t n, std::size_t i,
                                   std::size_t& length) {
  const unsigned char lead = text[i];
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t needed;
  std::uint32_t code;
  std::uint32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 2, code = lead & 0x1Fu, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 3, code = lead & 0x0Fu, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 4, code = lead & 0x07u, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  for (std::size_t k = 1; k < needed; ++k) {
    if (i + k >= n || (text[i + k] & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (text[i + k] & 0x3Fu);
    length = k + 1;
  }
  if (code < minimum || !IsScalarValue(code)) return std::nullopt;
  return static_cast<char32_t>(code);
}

int DecodeUtf8Text(DWORD flags, const unsigned char* text, std::size_t n,
                   ConversionOutput<wchar_t>& output) {
  for (std::size_t i = 0; i < n && !output.full();) {
    std::size_t length;
    const std::optional<char32_t> code = DecodeUtf8(text, n, i, length);
    if (!code && (flags & MB_ERR_INVALID_CHARS) != 0) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    output.Put(static_cast<wchar_t>(code.value_or(kReplacement)));
    i += length;
  }
  return output.Finish();
}

void EncodeUtf8(std::uint32_t code, ConversionOutput<char>& output) {
  if (code < 0x80) {
    output.Put(static_cast<char>(code));
  } else if (code < 0x800) {
    output.Put(static_cast<char>(0xC0 | (code >> 6)));
    output.Put(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    output.Put(static_cast<char>(0xE0 | (code >> 12)));
    output.Put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    output.Put(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    output.Put(static_cast<char>(0xF0 | (code >> 18)));
    output.Put(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    output.Put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    output.Put(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

int EncodeUtf8Text(DWORD flags, const wchar_t* text, std::size_t n,
                   ConversionOutput<char>& output) {
  for (std::size_t i = 0; i < n && !output.full(); ++i) {
    auto code = static_cast<std::uint32_t>(text[i]);
    if (!IsScalarValue(code)) {
      if ((flags & WC_ERR_INVALID_CHARS) != 0) return Fail(ERROR_NO_UNICODE_TRANSLATION);
      code = kReplacement;
    }
    EncodeUtf8(code, output);
  }
  return output.Finish();
}

int EncodeSingleByteText(Charset charset, const wchar_t* text, std::size_t n, char default_char,
                         BOOL* used_default, ConversionOutput<char>& output) {
  for (std::size_t i = 0; i < n && !output.full(); ++i) {
    const int byte = EncodeSingleByte(charset, text[i]);
    if (byte < 0 && used_default != nullptr) *used_default = TRUE;
    output.Put(byte < 0 ? default_char : static_cast<char>(byte));
  }
  return output.Finish();
}

// Validates the pointer and count arguments shared by both directions.
template <typename In, typename Out>
bool ValidBuffers(const In* text, int count, const Out* out, int out_count) {
  if (text == nullptr || count == 0 || count < -1 || out_count < 0) return false;
  if (out_count > 0 && out == nullptr) return false;
  return out_count == 0 || static_cast<const void*>(text) != static_cast<const void*>(out);
}

constexpr DWORD kMultiByteFlags =
    MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
constexpr DWORD kWideCharFlags = WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR |
                                 WC_ERR_INVALID_CHARS | WC_COMPOSITECHECK | WC_NO_BEST_FIT_CHARS;

}  // namespace

extern "C" {

UINT GetACP() {
  const char* configured = std::getenv("EBANK_ACP");
  if (configured == nullptr) return CP_WINDOWS_1252;
  char* end = nullptr;
  const unsigned long value = std::strtoul(configured, &end, 10);
  const bool whole = end != configured && *end == '\0';
  if (!whole || value > UINT_MAX || !CharsetOf(static_cast<UINT>(value))) return CP_WINDOWS_1252;
  return static_cast<UINT>(value);
}

int MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR text, int byte_count, LPWSTR out,
                        int out_count) {
  if (!ValidBuffers(text, byte_count, out, out_count)) return Fail(ERROR_INVALID_PARAMETER);
  const std::optional<Charset> charset = ResolveCodePage(code_page);
  if (!charset) return Fail(ERROR_INVALID_PARAMETER);
  const DWORD allowed = *charset == Charset::kUtf8 ? MB_ERR_INVALID_CHARS : kMultiByteFlags;
  if ((flags & ~allowed) != 0) return Fail(ERROR_INVALID_FLAGS);

  const std::size_t n = byte_count == -1 ? std::strlen(text) + 1 : std::size_t(byte_count);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  ConversionOutput<wchar_t> output(out, out_count);
  if (*charset == Charset::kUtf8) return DecodeUtf8Text(flags, bytes, n, output);
  for (std::size_t i = 0; i < n && !output.full(); ++i) {
    output.Put(DecodeSingleByte(*charset, bytes[i]));
  }
  return output.Finish();
}

int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR text, int count, LPSTR out,
                        int out_bytes, LPCSTR default_char, BOOL* used_default) {
  if (!ValidBuffers(text, count, out, out_bytes)) return Fail(ERROR_INVALID_PARAMETER);
  const std::optional<Charset> charset = ResolveCodePage(code_page);
  if (!charset) return Fail(ERROR_INVALID_PARAMETER);
  const bool utf8 = *charset == Charset::kUtf8;
  if ((flags & ~(utf8 ? WC_ERR_INVALID_CHARS : kWideCharFlags)) != 0) {
    return Fail(ERROR_INVALID_FLAGS);
  }
  if (utf8 && (default_char != nullptr || used_default != nullptr)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }

  const std::size_t n = count == -1 ? std::wcslen(text) + 1 : std::size_t(count);
  ConversionOutput<char> output(out, out_bytes);
  if (utf8) return EncodeUtf8Text(flags, text, n, output);
  if (used_default != nullptr) *used_default = FALSE;
  const char fallback = default_char != nullptr ? default_char[0] : '?';
  return EncodeSingleByteText(*charset, text, n, fallback, used_default, output);
}

}  // extern "C"

namespace ebank::platform {

std::string NarrowFromWide(std::wstring_view text) {
  std::string narrow;
  if (text.empty() || text.size() > INT_MAX) return narrow;
  const int length = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(needed));
  if (needed > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, narrow.data(), needed, nullptr, nullptr);
  }
  return narrow;
}

std::wstring WideFromNarrow(std::string_view text) {
  std::wstring wide;
  if (text.empty() || text.size() > INT_MAX) return wide;
  const int length = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  wide.resize(static_cast<std::size_t>(needed));
  if (needed > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
  return wide;
}

}  // namespace ebank::platform
