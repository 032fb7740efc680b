// IXMLDOMNamedNodeMap: the attributes of an element, looked up by name.
#ifndef EBANK_PLATFORM_MSXML_XML_DOM_NAMED_NODE_MAP_H_
#define EBANK_PLATFORM_MSXML_XML_DOM_NAMED_NODE_MAP_H_

#include "ebank/platform/msxml/xml_dom_node.h"

struct IXMLDOMNamedNodeMap : IDispatch {
  // The attribute whose qualified name equals `name` exactly (case matters);
  // null (S_FALSE) when there is none.
  STDMETHOD(getNamedItem)(BSTR name, IXMLDOMNode** attribute) = 0;
  STDMETHOD(get_item)(LONG index, IXMLDOMNode** attribute) = 0;
  STDMETHOD(get_length)(LONG* length) = 0;

  // Raising wrappers.
  IXMLDOMNodePtr getNamedItem(const _bstr_t& name);
  IXMLDOMNodePtr Getitem(LONG index);
  LONG Getlength();
};

#endif  // EBANK_PLATFORM_MSXML_XML_DOM_NAMED_NODE_MAP_H_
