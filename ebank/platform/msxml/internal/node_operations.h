// The IXMLDOMNode operations on a libxml2 node, shared by the node and the
// document objects. Each follows the COM conventions of its method: E_POINTER
// for a null out parameter, S_FALSE with a null result for "none", and a
// thread error object for every failure.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_NODE_OPERATIONS_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_NODE_OPERATIONS_H_

#include <libxml/tree.h>

#include "ebank/platform/msxml/xml_dom_node.h"

namespace ebank::platform::msxml::node_operations {

HRESULT GetNodeName(xmlNodePtr node, BSTR* name);
HRESULT GetNodeType(xmlNodePtr node, DOMNodeType* type);
HRESULT GetParentNode(xmlNodePtr node, IXMLDOMNode** parent);
HRESULT GetChildNodes(xmlNodePtr node, IXMLDOMNodeList** children);
HRESULT GetFirstChild(xmlNodePtr node, IXMLDOMNode** child);
HRESULT GetAttributes(xmlNodePtr node, IXMLDOMNamedNodeMap** attributes);
HRESULT GetOwnerDocument(xmlNodePtr node, IXMLDOMDocument** document);
HRESULT GetText(xmlNodePtr node, BSTR* text);
HRESULT PutText(xmlNodePtr node, BSTR text);
HRESULT GetXml(xmlNodePtr node, BSTR* xml);
HRESULT SelectSingleNode(xmlNodePtr node, BSTR xpath, IXMLDOMNode** result);
HRESULT SelectNodes(xmlNodePtr node, BSTR xpath, IXMLDOMNodeList** result);
HRESULT CloneNode(xmlNodePtr node, VARIANT_BOOL deep, IXMLDOMNode** clone);
HRESULT AppendChild(xmlNodePtr node, IXMLDOMNode* child, IXMLDOMNode** appended);
HRESULT RemoveChild(xmlNodePtr node, IXMLDOMNode* child, IXMLDOMNode** removed);
HRESULT TransformNode(xmlNodePtr node, IXMLDOMNode* stylesheet, BSTR* output);

}  // namespace ebank::platform::msxml::node_operations

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_NODE_OPERATIONS_H_
