// Conversion between the wide text of the COM interfaces (UTF-32 wchar_t) and
// the UTF-8 that libxml2 works in.
//
// Invalid code points (surrogates, values above U+10FFFF) and malformed UTF-8
// sequences become U+FFFD, so no input makes a conversion fail.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_TEXT_CONVERSION_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_TEXT_CONVERSION_H_

#include <string>
#include <string_view>

#include "ebank/platform/types.h"

namespace ebank::platform::msxml {

std::string WideToUtf8(std::wstring_view text);
// The whole BSTR (its stored length, embedded NULs included); null is empty.
std::string BstrToUtf8(BSTR text);
std::wstring Utf8ToWide(std::string_view text);

// Allocates a BSTR holding `utf8` into *out; E_POINTER for a null out,
// E_OUTOFMEMORY when the allocation fails.
HRESULT Utf8ToNewBstr(std::string_view utf8, BSTR* out);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_TEXT_CONVERSION_H_
