// Connection texts as the tool shows them: ODBC connection strings and data
// source names with every password masked.
#ifndef EBANK_TOOLS_EBANK_CONNECTION_TEXT_H_
#define EBANK_TOOLS_EBANK_CONNECTION_TEXT_H_

#include <string>
#include <string_view>

namespace ebank::tool {

// `connection` with the value of every PWD and Password attribute replaced by
// "***", as the server masks passwords in its error texts. Keys compare
// without case and may carry blanks around them; a value in braces is masked
// up to its closing brace ("}}" stands for a brace inside it), one without
// braces up to the next ";". A data source name without "=" is unchanged.
std::string MaskPasswords(std::string_view connection);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_CONNECTION_TEXT_H_
