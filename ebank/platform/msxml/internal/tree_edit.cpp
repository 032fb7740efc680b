#include "ebank/platform/msxml/internal/tree_edit.h"

#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/internal/document_owner.h"
#include "ebank/platform/msxml/internal/entity_content.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/node_text.h"
#include "ebank/platform/msxml/internal/parse_limits.h"

namespace ebank::platform::msxml {
namespace {

// Visits every node of the subtree, attributes and their text included,
// without recursion (trees built in code may be deeper than the parser allows).
template <typename Visit>
bool AnyInSubtree(xmlNodePtr root, Visit visit) {
  // A lone node, such as the text of an element, needs no walk.
  const bool has_attributes = root->type == XML_ELEMENT_NODE && root->properties != nullptr;
  if (root->children == nullptr && !has_attributes) return visit(root);
  std::vector<xmlNodePtr> pending{root};
  while (!pending.empty()) {
    xmlNodePtr node = pending.back();
    pending.pop_back();
    if (visit(node)) return true;
    if (node->type == XML_ENTITY_REF_NODE) continue;  // children belong to the entity
    if (node->type == XML_ELEMENT_NODE) {
      for (xmlAttrPtr attr = node->properties; attr != nullptr; attr = attr->next) {
        pending.push_back(reinterpret_cast<xmlNodePtr>(attr));
      }
    }
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
      pending.push_back(child);
    }
  }
  return false;
}

bool CanHaveChildren(xmlNodePtr node) {
  return node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE ||
         node->type == XML_DOCUMENT_FRAG_NODE;
}

bool IsInsertable(xmlNodePtr node) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_ENTITY_REF_NODE:
    case XML_PI_NODE:
    case XML_COMMENT_NODE:
      return true;
    default:
      return false;
  }
}

bool IsAncestorOrSelf(xmlNodePtr candidate, xmlNodePtr node) {
  for (xmlNodePtr n = node; n != nullptr; n = n->parent) {
    if (n == candidate) return true;
  }
  return false;
}

bool FitsIntoDocument(xmlNodePtr doc_node, xmlNodePtr child, xmlNodePtr replaced) {
  if (child->type == XML_PI_NODE || child->type == XML_COMMENT_NODE) return true;
  if (child->type != XML_ELEMENT_NODE) return false;
  xmlNodePtr root = xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(doc_node));
  return root == nullptr || root == replaced;
}

// Appends without xmlAddChild, which would merge adjacent text nodes and free
// the appended one under its object.
void LinkLastChild(xmlNodePtr parent, xmlNodePtr child) {
  child->parent = parent;
  child->next = nullptr;
  child->prev = parent->last;
  if (parent->last != nullptr) {
    parent->last->next = child;
  } else {
    parent->children = child;
  }
  parent->last = child;
}

// Links the unlinked `node` as the sibling before `next`.
void LinkBefore(xmlNodePtr next, xmlNodePtr node) {
  node->parent = next->parent;
  node->next = next;
  node->prev = next->prev;
  if (next->prev != nullptr) {
    next->prev->next = node;
  } else {
    next->parent->children = node;
  }
  next->prev = node;
}

void LinkInPlaceOf(xmlNodePtr replaced, xmlNodePtr child) {
  LinkBefore(replaced, child);
  xmlUnlinkNode(replaced);
}

// Points the namespace references of an element subtree at declarations in
// scope at its place, declaring missing ones on the subtree's root.
void DeclareUsedNamespaces(xmlNodePtr node) {
  if (node->type == XML_ELEMENT_NODE) xmlReconciliateNs(node->doc, node);
}

// Detaches `child` from wherever it is (tree or detached list).
void Detach(xmlNodePtr child) {
  if (child->parent != nullptr) {
    xmlUnlinkNode(child);
  } else {
    DocumentOwner::Of(child)->RemoveDetachedRoot(child);
  }
}

// Copies of the nodes the entity of `reference` stands for, in its document;
// null for an unknown or empty entity. In an attribute value the entity
// stands for its text alone.
xmlNodePtr CopyOfReplacement(xmlNodePtr reference) {
  if (reference->parent != nullptr && reference->parent->type == XML_ATTRIBUTE_NODE) {
    std::string storage;
    const std::string_view text = NodeText(reference, false, &storage);
    if (text.size() > INT_MAX) return nullptr;
    return xmlNewDocTextLen(reference->doc, reinterpret_cast<const xmlChar*>(text.data()),
                            static_cast<int>(text.size()));
  }
  xmlNodePtr content = EntityContent(reference);
  return content != nullptr ? xmlDocCopyNodeList(reference->doc, content) : nullptr;
}

// Hands an unlinked subtree of `source` without entity references to
// `target`. xmlDOMWrapAdoptNode moves names and texts out of the source
// document's dictionary, but not those of entity references.
bool Adopt(xmlNodePtr node, xmlDocPtr source, xmlDocPtr target, xmlNodePtr parent) {
  ExpandEntityReferences(node);
  return xmlDOMWrapAdoptNode(nullptr, source, node, target, parent, 0) == 0;
}

HRESULT MoveToDocument(xmlNodePtr child, xmlNodePtr parent) {
  DocumentOwner* target = DocumentOwner::Of(parent);
  if (!Adopt(child, child->doc, parent->doc, parent)) return E_FAIL;
  AnyInSubtree(child, [target](xmlNodePtr node) {
    if (NodeCore* object = NodeCore::OfNode(node)) object->Rebind(target);
    return false;
  });
  return S_OK;
}

}  // namespace

bool SubtreeHasObject(xmlNodePtr root) {
  return AnyInSubtree(root, [](xmlNodePtr node) { return node->_private != nullptr; });
}

void FreeSubtree(xmlNodePtr root) {
  xmlFreeNode(root);
}

void UnlinkAndKeep(xmlNodePtr node) {
  xmlUnlinkNode(node);
  DeclareUsedNamespaces(node);
  DocumentOwner::Of(node)->AddDetachedRoot(node);
}

void DiscardSubtree(xmlNodePtr node) {
  if (SubtreeHasObject(node)) {
    UnlinkAndKeep(node);
  } else {
    xmlUnlinkNode(node);
    FreeSubtree(node);
  }
}

void FreeDetachedIfUnused(xmlNodePtr node) {
  DocumentOwner* owner = DocumentOwner::Of(node);
  if (!owner->HasDetachedRoots()) return;
  xmlNodePtr top = node;
  while (top->parent != nullptr) top = top->parent;
  if (top->type == XML_DOCUMENT_NODE || SubtreeHasObject(top)) return;
  if (owner->RemoveDetachedRoot(top)) FreeSubtree(top);
}

HRESULT InsertChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr replaced) {
  if (child == replaced) return S_OK;
  if (!CanHaveChildren(parent) || !IsInsertable(child) || IsAncestorOrSelf(child, parent)) {
    return E_FAIL;
  }
  if (parent->type == XML_DOCUMENT_NODE && !FitsIntoDocument(parent, child, replaced)) {
    return E_FAIL;
  }
  if (child->type == XML_ENTITY_REF_NODE && child->doc != parent->doc) return E_FAIL;
  RefPtr<DocumentOwner> source(DocumentOwner::Of(child));  // alive until the move is done
  Detach(child);
  if (child->doc != parent->doc && FAILED(MoveToDocument(child, parent))) {
    source->AddDetachedRoot(child);
    return E_FAIL;
  }
  if (replaced != nullptr) {
    LinkInPlaceOf(replaced, child);
    DiscardSubtree(replaced);
  } else {
    LinkLastChild(parent, child);
  }
  DeclareUsedNamespaces(child);
  return S_OK;
}

xmlNodePtr CopyToDocument(xmlNodePtr node, xmlDocPtr target) {
  if (node->type == XML_ENTITY_REF_NODE) return nullptr;
  xmlNodePtr copy = xmlDocCopyNode(node, node->doc, 1);
  if (copy != nullptr && !Adopt(copy, node->doc, target, nullptr)) {
    xmlFreeNode(copy);
    return nullptr;
  }
  return copy;
}

void ExpandEntityReferences(xmlNodePtr root) {
  struct Reference {
    xmlNodePtr node;
    int depth;
  };
  std::vector<Reference> pending;
  const auto collect = [&pending](xmlNodePtr subtree, int depth) {
    AnyInSubtree(subtree, [&](xmlNodePtr node) {
      if (node->type == XML_ENTITY_REF_NODE) pending.push_back({node, depth});
      return false;
    });
  };
  collect(root, 0);
  while (!pending.empty()) {
    const Reference reference = pending.back();
    pending.pop_back();
    if (reference.node == root) continue;
    xmlNodePtr copy =
        reference.depth < kMaxEntityNesting ? CopyOfReplacement(reference.node) : nullptr;
    while (copy != nullptr) {
      xmlNodePtr next = copy->next;
      copy->next = nullptr;
      LinkBefore(reference.node, copy);
      collect(copy, reference.depth + 1);
      copy = next;
    }
    DiscardSubtree(reference.node);
  }
}

HRESULT SetNodeText(xmlNodePtr node, const char* utf8) {
  const auto* text = reinterpret_cast<const xmlChar*>(utf8);
  switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE: {
      while (node->children != nullptr) DiscardSubtree(node->children);
      if (*utf8 == '\0') return S_OK;
      xmlNodePtr text_node = xmlNewDocText(node->doc, text);
      if (text_node == nullptr) return E_OUTOFMEMORY;
      LinkLastChild(node, text_node);
      return S_OK;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
      xmlNodeSetContent(node, text);
      return S_OK;
    default:
      return E_FAIL;
  }
}

}  // namespace ebank::platform::msxml
