// Structural edits of libxml2 trees that respect the node objects living on
// them: nothing with an object is freed, text nodes are never merged away, and
// nodes moved between documents carry their objects along. A node crosses into
// another document only here (InsertChild and CopyToDocument), and always
// without entity references: they point into the DTD of the document they came
// from, so they are replaced by copies of what they stand for.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_TREE_EDIT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_TREE_EDIT_H_

#include <libxml/tree.h>

#include "ebank/platform/types.h"

namespace ebank::platform::msxml {

// Whether any node of the subtree (attributes included) has a node object.
bool SubtreeHasObject(xmlNodePtr root);

// Frees an unlinked subtree.
void FreeSubtree(xmlNodePtr root);

// Unlinks `node` and keeps it as a detached root of its document. Namespaces
// it uses from its former ancestors are declared on it, so it never refers to
// declarations that may be freed with them.
void UnlinkAndKeep(xmlNodePtr node);

// Unlinks `node`; frees it unless a node object lives in it, in which case it
// becomes a detached root of its document.
void DiscardSubtree(xmlNodePtr node);

// Called after the object of `node` went: frees the detached subtree that
// holds `node` when no other object lives in it.
void FreeDetachedIfUnused(xmlNodePtr node);

// Makes `child` (of any document, linked anywhere or detached) the last child
// of `parent`, or puts it in the place of `replaced` (a child of `parent`),
// which is then discarded. E_FAIL when the tree would become invalid, and for
// an entity reference of another document.
HRESULT InsertChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr replaced);

// A deep copy of `node` (not a document) that belongs to `target`, unlinked
// and not listed anywhere; null when memory runs out.
xmlNodePtr CopyToDocument(xmlNodePtr node, xmlDocPtr target);

// Replaces every entity reference in the subtree of `root` (attribute values
// included, `root` itself excepted) by copies of the nodes its entity stands
// for, references among them expanded in turn.
void ExpandEntityReferences(xmlNodePtr root);

// Replaces the children of `node` by one text node holding `utf8` (none for
// the empty text); on a text-like node sets its content.
HRESULT SetNodeText(xmlNodePtr node, const char* utf8);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_TREE_EDIT_H_
