// Text read out of the DOM as the library hands it on: converted to the ANSI
// code page (characters it lacks become '?') and widened byte by byte, so
// only characters whose code-page byte equals their code point survive.
#ifndef EBANK_XML_INTERNAL_NARROWED_TEXT_H_
#define EBANK_XML_INTERNAL_NARROWED_TEXT_H_

#include <string>
#include <string_view>

#include "ebank/core/bstring.h"
#include "ebank/platform/com/com_support.h"

namespace ddXML::internal {

// The text in the ANSI code page; empty for a null text.
std::string Narrowed(const _bstr_t& text);
// The narrowed text widened byte by byte; null for an empty text.
ddCOM::BString<wchar_t> NarrowedText(const _bstr_t& text);
ddCOM::BString<wchar_t> NarrowedText(std::wstring_view text);

}  // namespace ddXML::internal

#endif  // EBANK_XML_INTERNAL_NARROWED_TEXT_H_
