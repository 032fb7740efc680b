// The nodes an internal entity of a document stands for.
//
// The parser builds them when it meets the first reference; a document copied
// with its DTD has only the replacement texts, so they are parsed here on
// first use and kept as the entity's children, as the parser keeps them.
#ifndef EBANK_PLATFORM_MSXML_ENTITY_CONTENT_H_
#define EBANK_PLATFORM_MSXML_ENTITY_CONTENT_H_

#include <libxml/tree.h>

namespace ebank::platform::msxml {

// The first of the nodes the entity named by `reference` (an entity
// reference node) stands for; null for an unknown or empty entity and for
// a replacement text that is not well-formed content.
xmlNodePtr EntityContent(xmlNodePtr reference);

// Gives every internal entity of a copied document its nodes, so that XPath,
// which reads entity text only from them, sees what it saw in the original.
void ParseEntityContents(xmlDocPtr doc);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_ENTITY_CONTENT_H_
