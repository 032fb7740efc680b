#include "tools/ebank/connection_text.h"

#include <strings.h>

#include <algorithm>

namespace ebank::tool {
namespace {

constexpr std::string_view kBlanks = " \t";

bool IsPasswordKey(std::string_view key) {
  const std::size_t first = key.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return false;
  key = key.substr(first, key.find_last_not_of(kBlanks) - first + 1);
  const auto is = [key](std::string_view name) {
    return key.size() == name.size() && strncasecmp(key.data(), name.data(), key.size()) == 0;
  };
  return is("PWD") || is("Password");
}

// The brace that closes the one at `open`: the first "}" not doubled.
std::size_t ClosingBrace(std::string_view text, std::size_t open) {
  std::size_t at = text.find('}', open + 1);
  while (at != std::string_view::npos && at + 1 < text.size() && text[at + 1] == '}') {
    at = text.find('}', at + 2);
  }
  return at;
}

// Where the value that starts at `start` ends: at the ";" after it, or at the
// end of the text. A braced value runs to its closing brace first, so a ";"
// inside the braces does not end it; an unclosed brace runs to the end.
std::size_t ValueEnd(std::string_view text, std::size_t start) {
  const std::size_t first = text.find_first_not_of(kBlanks, start);
  if (first != std::string_view::npos && text[first] == '{') {
    const std::size_t close = ClosingBrace(text, first);
    if (close == std::string_view::npos) return text.size();
    start = close + 1;
  }
  return std::min(text.find(';', start), text.size());
}

}  // namespace

std::string MaskPasswords(std::string_view connection) {
  std::string masked;
  std::size_t at = 0;
  while (at < connection.size()) {
    const std::size_t equals = connection.find('=', at);
    const std::size_t semicolon = connection.find(';', at);
    if (equals == std::string_view::npos || semicolon < equals) {
      // An attribute without a value, or a data source name: kept as it is.
      const std::size_t end = std::min(semicolon, connection.size() - 1) + 1;
      masked.append(connection.substr(at, end - at));
      at = end;
      continue;
    }
    const std::size_t end = ValueEnd(connection, equals + 1);
    masked.append(connection.substr(at, equals + 1 - at));
    if (IsPasswordKey(connection.substr(at, equals - at))) {
      masked += "***";
    } else {
      masked.append(connection.substr(equals + 1, end - equals - 1));
    }
    at = end;
  }
  return masked;
}

}  // namespace ebank::tool
