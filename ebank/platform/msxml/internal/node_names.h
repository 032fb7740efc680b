// Names of libxml2 nodes as the DOM shows them, and lookup of attributes by
// those names.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_NODE_NAMES_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_NODE_NAMES_H_

#include <libxml/tree.h>

#include <string>
#include <string_view>

namespace ebank::platform::msxml {

// "prefix:local" for elements and attributes, "#text", "#comment", ... for
// unnamed nodes, the target of a processing instruction.
std::string NodeName(xmlNodePtr node);

// The attribute of `element` whose qualified name is `name` (exact match).
xmlAttrPtr FindAttribute(xmlNodePtr element, const std::string& name);

// Whether `name` (UTF-8, as libxml2 keeps names) spells `wanted`. ASCII is
// compared in place, without a conversion.
bool NameEquals(std::string_view name, const wchar_t* wanted);

// Whether `name` can name an element or attribute.
bool IsValidName(const std::string& name);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_NODE_NAMES_H_
