#include "ebank/platform/msxml/internal/markup_scan.h"

namespace ebank::platform::msxml {

std::optional<std::size_t> FindCrowdedTag(std::string_view markup, std::size_t limit) {
  for (std::size_t pos = markup.find('<'); pos != std::string_view::npos;
       pos = markup.find('<', pos)) {
    const std::size_t tag = pos;
    std::size_t equals = 0;
    char quote = 0;
    for (++pos; pos < markup.size() && markup[pos] != '<'; ++pos) {
      const char c = markup[pos];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '=' && ++equals > limit) {
        return tag;
      } else if (c == '>') {
        break;
      }
    }
  }
  return std::nullopt;
}

}  // namespace ebank::platform::msxml
