// Conversion between the wide text of the COM interface (UTF-32 wchar_t) and
// the UTF-8 the server hands to libxml2 and the database.
//
// Invalid code points and malformed UTF-8 become U+FFFD, so a conversion
// never fails on its input.
#ifndef EBANK_SERVERS_TXNDB_UTF8_TEXT_H_
#define EBANK_SERVERS_TXNDB_UTF8_TEXT_H_

#include <string>
#include <string_view>

namespace ebank::txndb {

std::string WideToUtf8(std::wstring_view text);
// The same into `utf8`, whose storage is reused.
void WideToUtf8(std::wstring_view text, std::string& utf8);
std::wstring Utf8ToWide(std::string_view text);

// Decodes the sequence at `text[i]` and advances `i` past it; a malformed
// sequence gives U+FFFD and advances by one byte.
char32_t DecodeUtf8(std::string_view text, size_t& i);
// Appends `c` in UTF-8; an invalid code point as U+FFFD.
void AppendUtf8(std::string& utf8, char32_t c);

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_UTF8_TEXT_H_
