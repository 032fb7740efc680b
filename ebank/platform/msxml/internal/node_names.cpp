#include "ebank/platform/msxml/internal/node_names.h"

#include <cstdint>

#include "ebank/platform/msxml/internal/text_conversion.h"

namespace ebank::platform::msxml {
namespace {

std::string QualifiedName(const xmlNs* ns, const xmlChar* name) {
  std::string result;
  if (ns != nullptr && ns->prefix != nullptr) {
    result = reinterpret_cast<const char*>(ns->prefix);
    result += ':';
  }
  if (name != nullptr) result += reinterpret_cast<const char*>(name);
  return result;
}

}  // namespace

std::string NodeName(xmlNodePtr node) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
      return QualifiedName(node->ns, node->name);
    case XML_TEXT_NODE:
      return "#text";
    case XML_CDATA_SECTION_NODE:
      return "#cdata-section";
    case XML_COMMENT_NODE:
      return "#comment";
    case XML_DOCUMENT_NODE:
      return "#document";
    case XML_DOCUMENT_FRAG_NODE:
      return "#document-fragment";
    default:
      return node->name != nullptr ? reinterpret_cast<const char*>(node->name) : "";
  }
}

xmlAttrPtr FindAttribute(xmlNodePtr element, const std::string& name) {
  if (element->type != XML_ELEMENT_NODE) return nullptr;
  for (xmlAttrPtr attr = element->properties; attr != nullptr; attr = attr->next) {
    if (QualifiedName(attr->ns, attr->name) == name) return attr;
  }
  return nullptr;
}

bool IsValidName(const std::string& name) {
  return !name.empty() && name.find('\0') == std::string::npos &&
         xmlValidateName(reinterpret_cast<const xmlChar*>(name.c_str()), 0) == 0;
}

bool NameEquals(std::string_view name, const wchar_t* wanted) {
  std::size_t i = 0;
  for (; wanted[i] != L'\0' && static_cast<std::uint32_t>(wanted[i]) < 0x80; ++i) {
    if (i == name.size() || name[i] != static_cast<char>(wanted[i])) return false;
  }
  return wanted[i] == L'\0' ? i == name.size() : WideToUtf8(wanted) == name;
}

}  // namespace ebank::platform::msxml
