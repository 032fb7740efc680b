// IXMLDOMNode: one node of an XML document tree.
//
// The virtual functions are the COM methods (an HRESULT, results through out
// parameters; a missing result is S_FALSE with a null pointer). The non-virtual
// members are the raising wrappers used through the smart pointers: they return
// the result and throw _com_error when the call fails. Their bodies are in
// "ebank/platform/msxml/msxml.h", which callers include.
#ifndef EBANK_PLATFORM_MSXML_XML_DOM_NODE_H_
#define EBANK_PLATFORM_MSXML_XML_DOM_NODE_H_

#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/msxml/msxml_forward.h"

enum DOMNodeType {
  NODE_INVALID = 0,
  NODE_ELEMENT = 1,
  NODE_ATTRIBUTE = 2,
  NODE_TEXT = 3,
  NODE_CDATA_SECTION = 4,
  NODE_ENTITY_REFERENCE = 5,
  NODE_ENTITY = 6,
  NODE_PROCESSING_INSTRUCTION = 7,
  NODE_COMMENT = 8,
  NODE_DOCUMENT = 9,
  NODE_DOCUMENT_TYPE = 10,
  NODE_DOCUMENT_FRAGMENT = 11,
  NODE_NOTATION = 12,
};

struct IXMLDOMNode : IDispatch {
  // "#text", "#document", ... for unnamed nodes; the qualified name otherwise.
  STDMETHOD(get_nodeName)(BSTR* name) = 0;
  STDMETHOD(get_nodeType)(DOMNodeType* type) = 0;
  // Null (S_FALSE) for the document, attributes and unattached nodes.
  STDMETHOD(get_parentNode)(IXMLDOMNode** parent) = 0;
  STDMETHOD(get_childNodes)(IXMLDOMNodeList** children) = 0;
  STDMETHOD(get_firstChild)(IXMLDOMNode** child) = 0;
  // The attributes of an element; null (S_FALSE) for other nodes.
  STDMETHOD(get_attributes)(IXMLDOMNamedNodeMap** attributes) = 0;
  // The document the node belongs to; null (S_FALSE) for a document.
  STDMETHOD(get_ownerDocument)(IXMLDOMDocument** document) = 0;
  // The text of the node and all its descendants, concatenated.
  STDMETHOD(get_text)(BSTR* text) = 0;
  // Replaces all children by one text node holding `text` literally.
  STDMETHOD(put_text)(BSTR text) = 0;
  // The node serialised as XML.
  STDMETHOD(get_xml)(BSTR* xml) = 0;
  // XPath 1.0 from this node: the first match in document order.
  STDMETHOD(selectSingleNode)(BSTR xpath, IXMLDOMNode** node) = 0;
  // XPath 1.0 from this node: every match in document order.
  STDMETHOD(selectNodes)(BSTR xpath, IXMLDOMNodeList** nodes) = 0;
  // A copy that belongs to the same document but to no parent.
  STDMETHOD(cloneNode)(VARIANT_BOOL deep, IXMLDOMNode** clone) = 0;
  // Moves `child` (from any document) to the end of this node's children.
  STDMETHOD(appendChild)(IXMLDOMNode* child, IXMLDOMNode** appended) = 0;
  // Unlinks `child`; it stays usable while referenced.
  STDMETHOD(removeChild)(IXMLDOMNode* child, IXMLDOMNode** removed) = 0;
  // Applies the XSLT 1.0 style sheet held by `stylesheet` to this node.
  STDMETHOD(transformNode)(IXMLDOMNode* stylesheet, BSTR* output) = 0;

  // Raising wrappers.
  _bstr_t GetnodeName();
  DOMNodeType GetnodeType();
  IXMLDOMNodePtr GetparentNode();
  IXMLDOMNodeListPtr GetchildNodes();
  IXMLDOMNodePtr GetfirstChild();
  IXMLDOMNamedNodeMapPtr Getattributes();
  IXMLDOMDocumentPtr GetownerDocument();
  _bstr_t Gettext();
  void Puttext(const _bstr_t& text);
  _bstr_t Getxml();
  IXMLDOMNodePtr selectSingleNode(const _bstr_t& xpath);
  IXMLDOMNodeListPtr selectNodes(const _bstr_t& xpath);
  IXMLDOMNodePtr cloneNode(VARIANT_BOOL deep);
  IXMLDOMNodePtr appendChild(IXMLDOMNode* child);
  IXMLDOMNodePtr removeChild(IXMLDOMNode* child);
  _bstr_t transformNode(IXMLDOMNode* stylesheet);
};

#endif  // EBANK_PLATFORM_MSXML_XML_DOM_NODE_H_
