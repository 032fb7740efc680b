// IXMLDOMNodeList: the nodes a selection or a child query found, in document
// order, with an iterator of its own.
#ifndef EBANK_PLATFORM_MSXML_XML_DOM_NODE_LIST_H_
#define EBANK_PLATFORM_MSXML_XML_DOM_NODE_LIST_H_

#include "ebank/platform/msxml/xml_dom_node.h"

struct IXMLDOMNodeList : IDispatch {
  // Null (S_FALSE) for an index outside 0 .. length-1.
  STDMETHOD(get_item)(LONG index, IXMLDOMNode** node) = 0;
  STDMETHOD(get_length)(LONG* length) = 0;
  // The node at the iterator, then advances; null (S_FALSE) at the end.
  STDMETHOD(nextNode)(IXMLDOMNode** node) = 0;
  // Puts the iterator back before the first node.
  STDMETHOD(reset)() = 0;

  // Raising wrappers.
  IXMLDOMNodePtr Getitem(LONG index);
  LONG Getlength();
  IXMLDOMNodePtr nextNode();
};

#endif  // EBANK_PLATFORM_MSXML_XML_DOM_NODE_LIST_H_
