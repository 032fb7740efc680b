#include "ebank/platform/msxml/internal/text_conversion.h"

#include <cstdint>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ebank::platform::msxml {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsValidCodePoint(char32_t c) {
  return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// Writes `c` in UTF-8 at `out` (U+FFFD for a value that is no code point) and
// returns the position after it.
char* EncodeUtf8(char32_t c, char* out) {
  if (!IsValidCodePoint(c)) c = kReplacement;
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Decodes one sequence at text[*pos], advancing *pos; overlong forms,
// surrogates and truncated sequences give U+FFFD and skip one byte.
char32_t DecodeUtf8(std::string_view text, size_t* pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(*pos);
  if (lead < 0x80) {
    ++*pos;
    return lead;
  }
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || length > 4 || *pos + length > text.size() || lead >= 0xF8) {
    ++*pos;
    return kReplacement;
  }
  char32_t c = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(*pos + i);
    if ((next & 0xC0) != 0x80) {
      ++*pos;
      return kReplacement;
    }
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[length] || !IsValidCodePoint(c)) {
    ++*pos;
    return kReplacement;
  }
  *pos += length;
  return c;
}

// Copies the leading ASCII run of `text` into `out` (which has room for all
// of `text`) and returns its length. Blocks of fixed size are tested and
// narrowed in loops without early exits, which the compiler vectorises.
size_t NarrowAsciiPrefix(std::wstring_view text, char* out) {
  constexpr size_t kBlock = 16;
  size_t done = 0;
  for (; done + kBlock <= text.size(); done += kBlock) {
    char32_t bits = 0;
    for (size_t k = 0; k < kBlock; ++k) bits |= static_cast<char32_t>(text[done + k]);
    if (bits >= 0x80) break;
    for (size_t k = 0; k < kBlock; ++k) out[done + k] = static_cast<char>(text[done + k]);
  }
  for (; done < text.size() && static_cast<char32_t>(text[done]) < 0x80; ++done) {
    out[done] = static_cast<char>(text[done]);
  }
  return done;
}

// The length of the leading run of ASCII bytes.
size_t AsciiPrefix(std::string_view utf8) {
  size_t length = 0;
  while (length < utf8.size() && static_cast<unsigned char>(utf8[length]) < 0x80) ++length;
  return length;
}

}  // namespace

// Most text is ASCII: its leading ASCII run is copied in bulk, the rest
// encoded into room for the longest encoding and cut to what was written.
std::string WideToUtf8(std::wstring_view text) {
  std::string out(text.size(), '\0');
  const size_t ascii = NarrowAsciiPrefix(text, out.data());
  if (ascii == text.size()) return out;
  out.resize(ascii + (text.size() - ascii) * 4);
  char* next = out.data() + ascii;
  for (wchar_t c : text.substr(ascii)) {
    if (static_cast<char32_t>(c) < 0x80) {
      *next++ = static_cast<char>(c);
    } else {
      next = EncodeUtf8(static_cast<char32_t>(c), next);
    }
  }
  out.resize(static_cast<size_t>(next - out.data()));
  return out;
}

std::string BstrToUtf8(BSTR text) {
  if (text == nullptr) return {};
  return WideToUtf8(std::wstring_view(text, SysStringLen(text)));
}

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();)
    out.push_back(static_cast<wchar_t>(DecodeUtf8(text, &pos)));
  return out;
}

// Decodes straight into the BSTR: one pass to count, one to fill, so text read
// out of a document is copied once. The leading ASCII run is widened without
// decoding.
HRESULT Utf8ToNewBstr(std::string_view utf8, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  const size_t ascii = AsciiPrefix(utf8);
  size_t length = ascii;
  for (size_t pos = ascii; pos < utf8.size(); ++length) DecodeUtf8(utf8, &pos);
  if (length > UINT32_MAX / sizeof(OLECHAR)) return E_OUTOFMEMORY;
  *out = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (*out == nullptr) return E_OUTOFMEMORY;
  OLECHAR* next = *out;
  for (size_t pos = 0; pos < ascii; ++pos) *next++ = static_cast<unsigned char>(utf8[pos]);
  for (size_t pos = ascii; pos < utf8.size();) {
    *next++ = static_cast<OLECHAR>(DecodeUtf8(utf8, &pos));
  }
  return S_OK;
}

}  // namespace ebank::platform::msxml
