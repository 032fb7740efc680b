// NodeCore: what every node object of the XML layer holds, the libxml2 node it
// presents and a reference to the owner of that node's document.
//
// Element, attribute, text and other nodes have at most one object each,
// recorded in node->_private; the document node is presented by the
// document object its owner names.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_NODE_CORE_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_NODE_CORE_H_

#include <libxml/tree.h>

#include "ebank/platform/com/guid.h"
#include "ebank/platform/msxml/internal/document_owner.h"
#include "ebank/platform/msxml/internal/ref_ptr.h"
#include "ebank/platform/msxml/xml_dom_node.h"

namespace ebank::platform::msxml {

// {6B1E0F52-93A4-4C1D-8E7B-2F5C90D4A613}: asked of an interface pointer, a node
// object of this layer answers with its NodeCore (see NodeBase).
inline constexpr IID IID_NodeCore = {
    0x6B1E0F52, 0x93A4, 0x4C1D, {0x8E, 0x7B, 0x2F, 0x5C, 0x90, 0xD4, 0xA6, 0x13}};

class NodeCore {
 public:
  NodeCore(const NodeCore&) = delete;
  NodeCore& operator=(const NodeCore&) = delete;

  xmlNodePtr node() const { return node_; }
  DocumentOwner* owner() const { return owner_.get(); }
  // Called when the node moved into another document.
  void Rebind(DocumentOwner* owner) { owner_ = RefPtr<DocumentOwner>(owner); }

  // The object behind an interface pointer of this layer; null for foreign
  // objects. The caller's reference on `node` keeps the object alive.
  static NodeCore* FromInterface(IXMLDOMNode* node) {
    void* core = nullptr;
    if (node->QueryInterface(IID_NodeCore, &core) != S_OK || core == nullptr) return nullptr;
    node->Release();
    return static_cast<NodeCore*>(core);
  }
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

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_NODE_CORE_H_
