// A scan of XML markup, without parsing it, for start tags with more
// attributes than a bound, so that such a document is refused before libxml2
// spends quadratic time on it.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_MARKUP_SCAN_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_MARKUP_SCAN_H_

#include <cstddef>
#include <optional>
#include <string_view>

namespace ebank::platform::msxml {

// The offset of the first '<' in `markup` (UTF-8, or any encoding that keeps
// ASCII bytes as they are) that starts a run with more than `limit` '=' signs
// outside quotes before the '>' outside quotes or the next '<' that ends it.
// A start tag holds no '<', and each attribute needs an '=' outside its
// quoted value, so the run of a tag counts at least the attributes libxml2
// reads from it: markup this finds nothing in has no tag over the bound.
std::optional<std::size_t> FindCrowdedTag(std::string_view markup, std::size_t limit);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_MARKUP_SCAN_H_
