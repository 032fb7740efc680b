#include "ebank/platform/msxml/internal/node_operations.h"

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "ebank/platform/msxml/internal/document_owner.h"
#include "ebank/platform/msxml/internal/dom_document.h"
#include "ebank/platform/msxml/internal/dom_named_node_map.h"
#include "ebank/platform/msxml/internal/dom_node_list.h"
#include "ebank/platform/msxml/internal/entity_content.h"
#include "ebank/platform/msxml/internal/error_report.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/node_names.h"
#include "ebank/platform/msxml/internal/node_text.h"
#include "ebank/platform/msxml/internal/node_wrapping.h"
#include "ebank/platform/msxml/internal/text_conversion.h"
#include "ebank/platform/msxml/internal/tree_edit.h"
#include "ebank/platform/msxml/internal/xml_serializer.h"
#include "ebank/platform/msxml/internal/xpath_selection.h"
#include "ebank/platform/msxml/internal/xslt_engine.h"

namespace ebank::platform::msxml::node_operations {
namespace {

HRESULT NullResult() {
  return Fail(E_POINTER, "A result pointer is null.");
}

HRESULT ReturnText(std::string_view utf8, BSTR* out) {
  if (out == nullptr) return NullResult();
  HRESULT hr = Utf8ToNewBstr(utf8, out);
  return SUCCEEDED(hr) ? hr : Fail(hr, "Not enough memory for the text.");
}

// The node behind an interface pointer of this layer, or null.
xmlNodePtr NodeOf(IXMLDOMNode* object) {
  NodeCore* core = object != nullptr ? NodeCore::FromInterface(object) : nullptr;
  return core != nullptr ? core->node() : nullptr;
}

bool HasChildList(xmlNodePtr node) {
  return node->type != XML_ENTITY_REF_NODE && node->type != XML_DTD_NODE;
}

HRESULT Select(xmlNodePtr node, BSTR xpath, size_t limit, std::vector<xmlNodePtr>* nodes) {
  std::string error;
  HRESULT hr = msxml::SelectNodes(node, BstrToUtf8(xpath), limit, nodes, &error);
  return SUCCEEDED(hr) ? hr : Fail(hr, error);
}

// A copy of an attribute carries its qualified name but no namespace pointer:
// a detached attribute has no element to declare the namespace on.
xmlNodePtr CopyAttribute(xmlNodePtr attribute) {
  const std::string name = NodeName(attribute);
  xmlChar* value = xmlNodeGetContent(attribute);
  xmlAttrPtr copy =
      xmlNewDocProp(attribute->doc, reinterpret_cast<const xmlChar*>(name.c_str()), nullptr);
  if (copy != nullptr && value != nullptr) {
    SetNodeText(reinterpret_cast<xmlNodePtr>(copy), reinterpret_cast<const char*>(value));
  }
  xmlFree(value);
  return reinterpret_cast<xmlNodePtr>(copy);
}

xmlNodePtr CopyNode(xmlNodePtr node, bool deep) {
  if (node->type == XML_ATTRIBUTE_NODE) return CopyAttribute(node);
  return xmlDocCopyNode(node, node->doc, deep ? 1 : 2);
}

HRESULT CloneDocument(xmlNodePtr node, bool deep, IXMLDOMNode** clone) {
  const DocumentOwner* source = DocumentOwner::Of(node);
  RefPtr<DocumentOwner> owner = DocumentOwner::Create(xmlCopyDoc(source->doc(), deep ? 1 : 0));
  if (!owner) return Fail(E_OUTOFMEMORY, "The document cannot be copied.");
  CopyEntityContents(source->doc(), owner->doc());
  owner->set_has_declaration(source->has_declaration());
  owner->set_preserves_white_space(source->preserves_white_space());
  *clone = DomDocument::Create(std::move(owner));
  return S_OK;
}

}  // namespace

HRESULT GetNodeName(xmlNodePtr node, BSTR* name) {
  return ReturnText(NodeName(node), name);
}

HRESULT GetNodeType(xmlNodePtr node, DOMNodeType* type) {
  if (type == nullptr) return NullResult();
  const int kind = node->type;
  *type = kind == XML_DTD_NODE                            ? NODE_DOCUMENT_TYPE
          : kind >= NODE_ELEMENT && kind <= NODE_NOTATION ? static_cast<DOMNodeType>(kind)
                                                          : NODE_INVALID;
  return S_OK;
}

HRESULT GetParentNode(xmlNodePtr node, IXMLDOMNode** parent) {
  const bool has_parent = node->type != XML_ATTRIBUTE_NODE && node->parent != nullptr;
  return ReturnNode(has_parent ? node->parent : nullptr, parent);
}

HRESULT GetChildNodes(xmlNodePtr node, IXMLDOMNodeList** children) {
  if (children == nullptr) return NullResult();
  std::vector<xmlNodePtr> nodes;
  if (HasChildList(node)) {
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
      nodes.push_back(child);
    }
  }
  *children = DomNodeList::Create(nodes);
  return S_OK;
}

HRESULT GetFirstChild(xmlNodePtr node, IXMLDOMNode** child) {
  return ReturnNode(HasChildList(node) ? node->children : nullptr, child);
}

HRESULT GetAttributes(xmlNodePtr node, IXMLDOMNamedNodeMap** attributes) {
  if (attributes == nullptr) return NullResult();
  *attributes = nullptr;
  if (node->type != XML_ELEMENT_NODE) return S_FALSE;
  *attributes = DomNamedNodeMap::Create(NodeObject(node));
  return S_OK;
}

HRESULT GetOwnerDocument(xmlNodePtr node, IXMLDOMDocument** document) {
  if (document == nullptr) return NullResult();
  *document = nullptr;
  if (node->type == XML_DOCUMENT_NODE) return S_FALSE;
  return ReturnNodeAs(reinterpret_cast<xmlNodePtr>(node->doc), IID_IXMLDOMDocument, document);
}

HRESULT GetText(xmlNodePtr node, BSTR* text) {
  if (text == nullptr) return NullResult();
  std::string storage;
  const bool trim = !DocumentOwner::Of(node)->preserves_white_space();
  return ReturnText(NodeText(node, trim, &storage), text);
}

HRESULT PutText(xmlNodePtr node, BSTR text) {
  const std::string utf8 = BstrToUtf8(text);
  HRESULT hr = SetNodeText(node, utf8.c_str());
  return SUCCEEDED(hr) ? hr : Fail(hr, "The text of this node cannot be set.");
}

HRESULT GetXml(xmlNodePtr node, BSTR* xml) {
  return ReturnText(SerializeNode(node), xml);
}

HRESULT SelectSingleNode(xmlNodePtr node, BSTR xpath, IXMLDOMNode** result) {
  if (result == nullptr) return NullResult();
  *result = nullptr;
  std::vector<xmlNodePtr> nodes;
  HRESULT hr = Select(node, xpath, 1, &nodes);
  if (FAILED(hr)) return hr;
  return ReturnNode(nodes.empty() ? nullptr : nodes.front(), result);
}

HRESULT SelectNodes(xmlNodePtr node, BSTR xpath, IXMLDOMNodeList** result) {
  if (result == nullptr) return NullResult();
  *result = nullptr;
  std::vector<xmlNodePtr> nodes;
  HRESULT hr = Select(node, xpath, std::numeric_limits<size_t>::max(), &nodes);
  if (FAILED(hr)) return hr;
  *result = DomNodeList::Create(nodes);
  return S_OK;
}

HRESULT CloneNode(xmlNodePtr node, VARIANT_BOOL deep, IXMLDOMNode** clone) {
  if (clone == nullptr) return NullResult();
  *clone = nullptr;
  if (node->type == XML_DOCUMENT_NODE) return CloneDocument(node, deep != VARIANT_FALSE, clone);
  xmlNodePtr copy = CopyNode(node, deep != VARIANT_FALSE);
  if (copy == nullptr) return Fail(E_FAIL, "This node cannot be copied.");
  DocumentOwner::Of(copy)->AddDetachedRoot(copy);
  return ReturnNode(copy, clone);
}

HRESULT AppendChild(xmlNodePtr node, IXMLDOMNode* child, IXMLDOMNode** appended) {
  if (appended != nullptr) *appended = nullptr;
  xmlNodePtr child_node = NodeOf(child);
  if (child_node == nullptr) return Fail(E_INVALIDARG, "The node to insert is missing.");
  HRESULT hr = InsertChild(node, child_node, nullptr);
  if (FAILED(hr)) return Fail(hr, "This node cannot be inserted here.");
  return appended != nullptr ? ReturnNode(child_node, appended) : S_OK;
}

HRESULT RemoveChild(xmlNodePtr node, IXMLDOMNode* child, IXMLDOMNode** removed) {
  if (removed != nullptr) *removed = nullptr;
  xmlNodePtr child_node = NodeOf(child);
  if (child_node == nullptr || child_node->parent != node ||
      child_node->type == XML_ATTRIBUTE_NODE) {
    return Fail(E_INVALIDARG, "The node to remove is not a child of this node.");
  }
  UnlinkAndKeep(child_node);
  return removed != nullptr ? ReturnNode(child_node, removed) : S_OK;
}

HRESULT TransformNode(xmlNodePtr node, IXMLDOMNode* stylesheet, BSTR* output) {
  if (output == nullptr) return NullResult();
  *output = nullptr;
  xmlNodePtr style_node = NodeOf(stylesheet);
  if (style_node == nullptr) return Fail(E_INVALIDARG, "The style sheet is missing.");
  std::string error;
  std::shared_ptr<xsltStylesheet> style;
  HRESULT hr = CompileStylesheet(style_node, &style, &error);
  std::string text;
  if (SUCCEEDED(hr)) hr = ApplyStylesheet(style.get(), node, &text, &error);
  if (FAILED(hr)) return Fail(hr, error);
  return ReturnText(text, output);
}

}  // namespace ebank::platform::msxml::node_operations
