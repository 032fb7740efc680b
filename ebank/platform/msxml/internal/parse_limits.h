// The bounds that keep loading and reading a document cheap whatever its
// text. libxml2 bounds nesting, name lengths and nested entity expansion
// itself; these cover what it leaves quadratic or unbounded.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_PARSE_LIMITS_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_PARSE_LIMITS_H_

#include <algorithm>
#include <cstddef>

namespace ebank::platform::msxml {

// Attributes of one start tag: libxml2 checks each against all before it.
inline constexpr std::size_t kMaxAttributes = 10'000;

// Attributes the DTD gives one element by default: the parser checks each
// default against the element's attributes on every element of that name.
inline constexpr std::size_t kMaxDefaultedAttributes = 64;

// Bytes of the namespace declarations (prefixes and names) the DTD gives one
// element by default: the parser copies them into every element of that
// name, so a long one multiplies with the elements.
inline constexpr std::size_t kMaxDefaultedNamespaceBytes = 256;

// Entity references within entities, followed when text is read or copied;
// libxml2 refuses documents that nest deeper than 40.
inline constexpr int kMaxEntityNesting = 64;

// The bytes of text that all entity references of a parsed document may
// stand for together: the larger of 1 MiB and ten times the document.
constexpr std::size_t EntityTextLimit(std::size_t document_size) {
  return std::max<std::size_t>(std::size_t{1} << 20, 10 * document_size);
}

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_PARSE_LIMITS_H_
