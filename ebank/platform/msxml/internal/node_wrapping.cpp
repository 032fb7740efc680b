#include "ebank/platform/msxml/internal/node_wrapping.h"

#include "ebank/platform/msxml/internal/document_owner.h"
#include "ebank/platform/msxml/internal/dom_document.h"
#include "ebank/platform/msxml/internal/dom_node.h"

namespace ebank::platform::msxml {

RefPtr<IXMLDOMNode> NodeObject(xmlNodePtr node) {
  if (node == nullptr) return {};
  if (node->type == XML_DOCUMENT_NODE) {
    DocumentOwner* owner = DocumentOwner::Of(node);
    if (DomDocument* existing = owner->document_object()) {
      return RefPtr<IXMLDOMNode>(existing->AsInterface());
    }
    return RefPtr<IXMLDOMNode>::Adopt(DomDocument::Create(RefPtr<DocumentOwner>(owner)));
  }
  if (NodeCore* existing = NodeCore::OfNode(node)) {
    return RefPtr<IXMLDOMNode>(static_cast<DomNode*>(existing)->AsInterface());
  }
  return RefPtr<IXMLDOMNode>::Adopt(DomNode::Create(node));
}

HRESULT ReturnNode(xmlNodePtr node, IXMLDOMNode** out) {
  if (out == nullptr) return E_POINTER;
  *out = NodeObject(node).Detach();
  return *out != nullptr ? S_OK : S_FALSE;
}

}  // namespace ebank::platform::msxml
