// Appending a new element with text to a DOM node, the one step behind
// CXmlClass::createElement and the record writers that build a known tree
// without selecting each parent again. Internal to the library.
#ifndef EBANK_XML_INTERNAL_APPEND_ELEMENT_H_
#define EBANK_XML_INTERNAL_APPEND_ELEMENT_H_

#include "ebank/platform/msxml/msxml.h"

namespace ddXML::internal {

// Creates element `name` in `document` with `value` as its text (none when
// null or empty) and appends it as the last child of `parent`. A null parent
// raises _com_error E_POINTER after the element is made, so it is dropped.
inline IXMLDOMElementPtr AppendElement(const IXMLDOMDocumentPtr& document,
                                       const IXMLDOMNodePtr& parent, const _bstr_t& name,
                                       const wchar_t* value) {
  IXMLDOMElementPtr element = document->createElement(name);
  if (value != nullptr && value[0] != L'\0') element->Puttext(value);
  // The appended node is the element itself, so it is not asked back.
  ebank::platform::msxml_detail::Check(parent->appendChild(element, nullptr), parent,
                                       IID_IXMLDOMNode);
  return element;
}

}  // namespace ddXML::internal

#endif  // EBANK_XML_INTERNAL_APPEND_ELEMENT_H_
