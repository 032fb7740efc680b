// Markup that entities bring into attribute values. XML forbids a '<' in the
// replacement text of any entity an attribute value refers to, directly or
// through other entities; libxml2 2.9 checks this only where it first meets
// the outer entity in an attribute value, so the parsed tree is checked again.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_ATTRIBUTE_ENTITY_MARKUP_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_ATTRIBUTE_ENTITY_MARKUP_H_

#include <libxml/tree.h>

namespace ebank::platform::msxml {

struct AttributeEntityMarkup {
  xmlNodePtr reference;  // the entity reference in an attribute value
  xmlEntityPtr holder;   // the entity whose replacement text holds the '<'
};

// The first such reference in the tree of `doc`, entity content included;
// a null reference when there is none.
AttributeEntityMarkup FindAttributeEntityMarkup(xmlDocPtr doc);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_ATTRIBUTE_ENTITY_MARKUP_H_
