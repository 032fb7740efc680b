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
std::wstring Utf8ToWide(std::string_view text);

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_UTF8_TEXT_H_
