#include "ebank/platform/msxml/tree_edit.h"

#include <vector>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/document_owner.h"
#include "ebank/platform/msxml/node_core.h"

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

void LinkInPlaceOf(xmlNodePtr replaced, xmlNodePtr child) {
  xmlNodePtr parent = replaced->parent;
  child->parent = parent;
  child->prev = replaced->prev;
  child->next = replaced->next;
  if (child->prev != nullptr) child->prev->next = child;
  if (child->next != nullptr) child->next->prev = child;
  if (parent->children == replaced) parent->children = child;
  if (parent->last == replaced) parent->last = child;
  replaced->parent = replaced->prev = replaced->next = nullptr;
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

HRESULT MoveToDocument(xmlNodePtr child, xmlNodePtr parent) {
  DocumentOwner* target = DocumentOwner::Of(parent);
  if (xmlDOMWrapAdoptNode(nullptr, child->doc, child, parent->doc, parent, 0) != 0) {
    return E_FAIL;
  }
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
