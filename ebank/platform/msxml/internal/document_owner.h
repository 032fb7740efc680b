// DocumentOwner: the shared, reference-counted owner of one libxml2 document.
//
// The document object and every node object of the tree hold a reference, so
// the tree lives as long as anything refers into it. Subtrees unlinked from
// the tree (removed, created, cloned and not yet inserted) are listed as
// detached roots and freed with the document, or earlier when the last node
// object inside them goes.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_DOCUMENT_OWNER_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_DOCUMENT_OWNER_H_

#include <libxml/tree.h>
#include <atomic>
#include <unordered_set>

#include "ebank/platform/msxml/internal/ref_ptr.h"
#include "ebank/platform/types.h"

namespace ebank::platform::msxml {

class DomDocument;

class DocumentOwner {
 public:
  // Takes ownership of `doc` and records itself in doc->_private.
  static RefPtr<DocumentOwner> Create(xmlDocPtr doc);
  // A new empty document.
  static RefPtr<DocumentOwner> CreateEmpty();
  // The owner of the document `node` belongs to.
  static DocumentOwner* Of(xmlNodePtr node);

  DocumentOwner(const DocumentOwner&) = delete;
  DocumentOwner& operator=(const DocumentOwner&) = delete;

  void AddRef() { references_.fetch_add(1, std::memory_order_relaxed); }
  void Release();

  xmlDocPtr doc() const { return doc_; }

  // Whether the serialised document starts with an XML declaration.
  bool has_declaration() const { return has_declaration_; }
  void set_has_declaration(bool value) { has_declaration_ = value; }

  // Whether `text` keeps white space at the ends of element text and loading
  // keeps text nodes of nothing but white space.
  bool preserves_white_space() const { return preserves_white_space_; }
  void set_preserves_white_space(bool value) { preserves_white_space_ = value; }

  // The document object currently presenting this tree (not owned); null
  // when there is none, so that one is made on demand.
  DomDocument* document_object() const { return document_object_; }
  void set_document_object(DomDocument* object) { document_object_ = object; }

  void AddDetachedRoot(xmlNodePtr node) { detached_roots_.insert(node); }
  // Forgets `node` as a detached root; false when it was not one.
  bool RemoveDetachedRoot(xmlNodePtr node) { return detached_roots_.erase(node) != 0; }
  bool HasDetachedRoots() const { return !detached_roots_.empty(); }

 private:
  explicit DocumentOwner(xmlDocPtr doc);
  ~DocumentOwner();

  std::atomic<ULONG> references_{0};
  xmlDocPtr doc_;
  bool has_declaration_ = false;
  bool preserves_white_space_ = false;
  DomDocument* document_object_ = nullptr;
  std::unordered_set<xmlNodePtr> detached_roots_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_DOCUMENT_OWNER_H_
