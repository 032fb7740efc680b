// IXMLDOMElement: an element node, with access to its attributes by name.
#ifndef EBANK_PLATFORM_MSXML_XML_DOM_ELEMENT_H_
#define EBANK_PLATFORM_MSXML_XML_DOM_ELEMENT_H_

#include "ebank/platform/msxml/xml_dom_node.h"

struct IXMLDOMElement : IXMLDOMNode {
  // The attribute's value as a VT_BSTR; VT_NULL (S_FALSE) when it is missing.
  STDMETHOD(getAttribute)(BSTR name, VARIANT* value) = 0;
  // Creates the attribute or replaces its value; the value is converted to
  // text (VT_BSTR) first and stored literally.
  STDMETHOD(setAttribute)(BSTR name, VARIANT value) = 0;

  // Raising wrappers.
  _variant_t getAttribute(const _bstr_t& name);
  void setAttribute(const _bstr_t& name, const _variant_t& value);
};

#endif  // EBANK_PLATFORM_MSXML_XML_DOM_ELEMENT_H_
