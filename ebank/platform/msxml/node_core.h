// NodeCore: what every node object of the XML layer holds, the libxml2 node it
// presents and a reference to the owner of that node's document.
//
// Element, attribute, text and other nodes have at most one object each,
// recorded in node->_private; the document node is presented by the
// document object its owner names.
#ifndef EBANK_PLATFORM_MSXML_NODE_CORE_H_
#define EBANK_PLATFORM_MSXML_NODE_CORE_H_

#include <libxml/tree.h>

#include "ebank/platform/msxml/document_owner.h"
#include "ebank/platform/msxml/ref_ptr.h"
#include "ebank/platform/msxml/xml_dom_node.h"

namespace ebank::platform::msxml {

class NodeCore {
 public:
  NodeCore(const NodeCore&) = delete;
  NodeCore& operator=(const NodeCore&) = delete;

  xmlNodePtr node() const { return node_; }
  DocumentOwner* owner() const { return owner_.get(); }
  // Called when the node moved into another document.
  void Rebind(DocumentOwner* owner) { owner_ = RefPtr<DocumentOwner>(owner); }

  // The object behind an interface pointer of this layer; null for foreign
  // objects.
  static NodeCore* FromInterface(IXMLDOMNode* node) { return dynamic_cast<NodeCore*>(node); }
  // The node object of `node`, if one exists.
  static NodeCore* OfNode(xmlNodePtr node) { return static_cast<NodeCore*>(node->_private); }

 protected:
  NodeCore(xmlNodePtr node, RefPtr<DocumentOwner> owner) : node_(node), owner_(std::move(owner)) {}
  virtual ~NodeCore() = default;
  void Reset(xmlNodePtr node, RefPtr<DocumentOwner> owner) {
    node_ = node;
    owner_ = std::move(owner);
  }

 private:
  xmlNodePtr node_;
  RefPtr<DocumentOwner> owner_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_NODE_CORE_H_
