#include "ebank/platform/msxml/internal/markup_scan.h"

#include <cstring>

namespace ebank::platform::msxml {
namespace {

// Whether `markup` holds more than `limit` '=' signs in all. memchr skips the
// long stretches without one far faster than the tag scan walks them.
bool HasMoreEqualSigns(std::string_view markup, std::size_t limit) {
  const char* const end = markup.data() + markup.size();
  std::size_t count = 0;
  for (const char* at = markup.data(); at != end; ++at) {
    at = static_cast<const char*>(std::memchr(at, '=', static_cast<std::size_t>(end - at)));
    if (at == nullptr) return false;
    if (++count > limit) return true;
  }
  return false;
}

}  // namespace

std::optional<std::size_t> FindCrowdedTag(std::string_view markup, std::size_t limit) {
  // Each run counts '=' signs of the markup, so no run can exceed a bound
  // the whole markup keeps.
  if (!HasMoreEqualSigns(markup, limit)) return std::nullopt;
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
