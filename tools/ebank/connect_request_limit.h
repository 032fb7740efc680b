// Checks the length of the connect request before the database wrapper sends
// it: its formatter writes at most 1023 characters, and the server refuses a
// cut request as one without a <CONNECT><ODBC> element, which names no cause.
#ifndef EBANK_TOOLS_EBANK_CONNECT_REQUEST_LIMIT_H_
#define EBANK_TOOLS_EBANK_CONNECT_REQUEST_LIMIT_H_

#include <string_view>

namespace ebank::tool {

// One value of the connect request and what it is called in messages, such
// as "the data source (--dsn)".
struct ConnectValue {
  std::wstring_view text;
  const char* name;
};

// Throws ToolError naming the longest of the three values when the request
// COrvTxnDBWrapper::ConnectDB formats from them would pass 1023 characters.
// Values count in the ANSI code page, as the formatter inserts them.
void CheckConnectRequestLength(const ConnectValue& dsn, const ConnectValue& uid,
                               const ConnectValue& pwd);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_CONNECT_REQUEST_LIMIT_H_
