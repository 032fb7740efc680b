// How much text the entity references of a parsed document stand for, so a
// small document whose references multiply a large entity is refused when it
// is loaded rather than expanded when it is read.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_FAN_OUT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_FAN_OUT_H_

#include <libxml/tree.h>

#include <cstddef>

namespace ebank::platform::msxml {

// An entity reference in the tree of `doc` (attribute values included) at
// which the text of the references counted so far exceeds `limit` bytes;
// null when all of them together stay within it. An entity stands for its
// replacement text with each reference in it counted as the text of that
// entity, so nested references multiply as they do when read.
xmlNodePtr FindEntityOverflow(xmlDocPtr doc, std::size_t limit);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_ENTITY_FAN_OUT_H_
