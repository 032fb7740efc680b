// Looking up an attribute of a DOM node by name. Internal to the library.
#ifndef EBANK_XML_INTERNAL_ATTRIBUTE_OF_H_
#define EBANK_XML_INTERNAL_ATTRIBUTE_OF_H_

#include "ebank/platform/msxml/msxml.h"

namespace ddXML::internal {

// The attribute `name` (exact, case-sensitive) of `node`; null when the node
// lacks it or carries no attributes at all (text and attribute nodes).
inline IXMLDOMNodePtr AttributeOf(const IXMLDOMNodePtr& node, const wchar_t* name) {
  IXMLDOMNamedNodeMapPtr attributes = node->Getattributes();
  return attributes == nullptr ? nullptr : attributes->getNamedItem(name);
}

}  // namespace ddXML::internal

#endif  // EBANK_XML_INTERNAL_ATTRIBUTE_OF_H_
