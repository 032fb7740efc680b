// The characters XML 1.0 can carry, and the one character that the account
// writers (the library's and the reference server's) store in place of every
// other, so that each text they write reads back. Header-only and internal.
#ifndef EBANK_XML_INTERNAL_XML_CHAR_H_
#define EBANK_XML_INTERNAL_XML_CHAR_H_

#include <string>

namespace ddXML::internal {

// Whether `c` may appear in an XML 1.0 document, literally or as a character
// reference: tab, line feed, carriage return and every code point from U+0020
// on except the surrogates, U+FFFE and U+FFFF.
constexpr bool IsXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Written instead of a character that is not an XML character: the same mark
// the ANSI code page gives a character it lacks.
inline constexpr char kNonXmlCharMark = '?';

// `text` up to its first NUL with every character that is not an XML
// character replaced by the mark: `text` itself when it has none, otherwise
// the copy made in `storage`. Null stays null.
inline const wchar_t* WithXmlCharsOnly(const wchar_t* text, std::wstring& storage) {
  if (text == nullptr) return nullptr;
  const wchar_t* first = text;
  while (*first != L'\0' && IsXmlChar(static_cast<char32_t>(*first))) ++first;
  if (*first == L'\0') return text;
  storage.assign(text, first);
  for (; *first != L'\0'; ++first) {
    const bool kept = IsXmlChar(static_cast<char32_t>(*first));
    storage += kept ? *first : wchar_t{kNonXmlCharMark};
  }
  return storage.c_str();
}

}  // namespace ddXML::internal

#endif  // EBANK_XML_INTERNAL_XML_CHAR_H_
