// Conversion between the UTF-8 of command lines, files and terminals and the
// wide text of the library's interfaces.
#ifndef EBANK_TOOLS_EBANK_TEXT_H_
#define EBANK_TOOLS_EBANK_TEXT_H_

#include <string>
#include <string_view>

namespace ebank::tool {

// Malformed UTF-8 throws ToolError.
std::wstring Utf8ToWide(std::string_view text);
// A null text gives the empty string.
std::string WideToUtf8(const wchar_t* text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_TEXT_H_
