#include "tools/ebank/connect_request_limit.h"

#include <climits>
#include <cstring>
#include <string>

#include "ebank/banking/ebank_xml.h"
#include "ebank/platform/win32/code_page.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

// The most the request formatter writes.
constexpr std::size_t kMaxRequestCharacters = 1023;

// The request's own characters: its format without the three "%S".
std::size_t FixedLength() {
  return std::strlen(ovEBankXML::EBANK_DB_CONNECT) - 3 * std::strlen("%S");
}

// The characters `text` takes in the request, once in the ANSI code page.
std::size_t RequestLength(std::wstring_view text) {
  if (text.empty()) return 0;
  if (text.size() > INT_MAX / 4) return text.size();  // too long either way
  return static_cast<std::size_t>(WideCharToMultiByte(
      CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr));
}

}  // namespace

void CheckConnectRequestLength(const ConnectValue& dsn, const ConnectValue& uid,
                               const ConnectValue& pwd) {
  const ConnectValue* longest = &dsn;
  std::size_t longest_length = 0;
  std::size_t total = 0;
  for (const ConnectValue* value : {&dsn, &uid, &pwd}) {
    const std::size_t length = RequestLength(value->text);
    total += length;
    if (length > longest_length) {
      longest = value;
      longest_length = length;
    }
  }
  const std::size_t room = kMaxRequestCharacters - FixedLength();
  if (total <= room) return;
  throw ToolError(std::string(longest->name) + " is too long: the connect request has room for " +
                  std::to_string(room) +
                  " characters of data source, user ID and password together, and these have " +
                  std::to_string(total));
}

}  // namespace ebank::tool
