// Conversions of narrow arguments that CXmlClass widens with the C runtime's
// multibyte rules, and the class context of the DOM objects it creates.
// Internal to the library.
#ifndef EBANK_XML_INTERNAL_LOCALE_TEXT_H_
#define EBANK_XML_INTERNAL_LOCALE_TEXT_H_

#include <cstddef>
#include <string>

#include "ebank/platform/types.h"

namespace ddXML::internal {

// In-process server, in-process handler, local server.
inline constexpr DWORD kClassContext = 0x7;

// `text` widened with mbstowcs in the current C locale, cut to `maxLength`
// characters. Text the locale cannot convert is widened byte by byte, as the
// C runtime's "C" locale does on Windows, rather than dropped.
std::wstring LocaleText(const char* text, std::size_t maxLength);

}  // namespace ddXML::internal

#endif  // EBANK_XML_INTERNAL_LOCALE_TEXT_H_
