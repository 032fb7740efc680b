#include "ebank/platform/msxml/internal/document_owner.h"

#include <new>

#include "ebank/platform/msxml/internal/tree_edit.h"

namespace ebank::platform::msxml {

RefPtr<DocumentOwner> DocumentOwner::Create(xmlDocPtr doc) {
  if (doc == nullptr) return {};
  auto* owner = new (std::nothrow) DocumentOwner(doc);
  if (owner == nullptr) {
    xmlFreeDoc(doc);
    return {};
  }
  return RefPtr<DocumentOwner>(owner);
}

RefPtr<DocumentOwner> DocumentOwner::CreateEmpty() {
  return Create(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
}

DocumentOwner* DocumentOwner::Of(xmlNodePtr node) {
  return static_cast<DocumentOwner*>(node->doc->_private);
}

DocumentOwner::DocumentOwner(xmlDocPtr doc) : doc_(doc) {
  doc_->_private = this;
}

DocumentOwner::~DocumentOwner() {
  for (xmlNodePtr root : detached_roots_) FreeSubtree(root);
  xmlFreeDoc(doc_);
}

void DocumentOwner::Release() {
  if (references_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

}  // namespace ebank::platform::msxml
