// The nodes the internal entities of a document stand for.
//
// The parser builds them for an entity when it meets the first reference to
// it and keeps them as the entity's children; a document copied with its DTD
// (xmlCopyDoc) gets only the replacement texts, so the nodes are copied over
// from the original.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_CONTENT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_CONTENT_H_

#include <libxml/tree.h>

namespace ebank::platform::msxml {

// The first of the nodes the entity named by `reference` (an entity
// reference node) stands for; null for an unknown or empty entity.
xmlNodePtr EntityContent(xmlNodePtr reference);

// Gives each entity of `copy`, a copy of `original` made with xmlCopyDoc,
// the nodes of its namesake in `original`.
void CopyEntityContents(xmlDocPtr original, xmlDocPtr copy);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_CONTENT_H_
