#include "servers/txndb/connect_request.h"

namespace ebank::txndb {
namespace {

// "<name>" or "</name>".
std::string Tag(std::string_view name, bool closing) {
  std::string tag(closing ? "</" : "<");
  tag.append(name);
  tag.push_back('>');
  return tag;
}

// The text of the first <name>...</name> in `text`, or empty when the element
// is missing or written as <name/>. The end tag is the first one after the
// start tag, so a value cannot hold its own end tag.
std::string ElementText(std::string_view text, std::string_view name) {
  const std::string start = Tag(name, false);
  const std::string end = Tag(name, true);
  const size_t begin = text.find(start);
  if (begin == std::string_view::npos) return {};
  const size_t first = begin + start.size();
  const size_t last = text.find(end, first);
  if (last == std::string_view::npos) return {};
  return std::string(text.substr(first, last - first));
}

// The region between <name> and </name>, or std::nullopt.
std::optional<std::string_view> Inner(std::string_view text, std::string_view name) {
  const std::string start = Tag(name, false);
  const std::string end = Tag(name, true);
  const size_t begin = text.find(start);
  const size_t last = text.rfind(end);
  if (begin == std::string_view::npos || last == std::string_view::npos ||
      last < begin + start.size()) {
    return std::nullopt;
  }
  return text.substr(begin + start.size(), last - begin - start.size());
}

// A connection string attribute; values that the string's syntax would split
// or trim are put in braces, with "}" doubled.
std::string Attribute(std::string_view key, const std::string& value) {
  const bool plain = value.find_first_of(";{}") == std::string::npos && value.front() != ' ' &&
                     value.back() != ' ';
  if (plain) return std::string(key) + "=" + value;
  std::string braced = std::string(key) + "={";
  for (char c : value) {
    braced += c;
    if (c == '}') braced += '}';
  }
  return braced + "}";
}

}  // namespace

std::optional<ConnectRequest> ParseConnectRequest(std::string_view request) {
  const auto connect = Inner(request, "CONNECT");
  if (!connect) return std::nullopt;
  const auto odbc = Inner(*connect, "ODBC");
  if (!odbc) return std::nullopt;
  return ConnectRequest{ElementText(*odbc, "DSN"), ElementText(*odbc, "UID"),
                        ElementText(*odbc, "PWD")};
}

std::string ConnectionString(const ConnectRequest& request) {
  std::string result;
  if (request.dsn.find('=') != std::string::npos) {
    result = request.dsn;
  } else if (!request.dsn.empty()) {
    result = Attribute("DSN", request.dsn);
  }
  for (const auto& [key, value] : {std::pair{"UID", &request.uid}, {"PWD", &request.pwd}}) {
    if (value->empty()) continue;
    if (!result.empty() && result.back() != ';') result += ';';
    result += Attribute(key, *value);
  }
  return result;
}

}  // namespace ebank::txndb
