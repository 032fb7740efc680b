// White space as XML defines it, the xml:space scopes that keep it, and the
// white space a document drops when it is loaded without preserving it.
#ifndef EBANK_PLATFORM_MSXML_WHITE_SPACE_H_
#define EBANK_PLATFORM_MSXML_WHITE_SPACE_H_

#include <libxml/tree.h>

#include <string_view>

namespace ebank::platform::msxml {

// Space, tab, line feed and carriage return.
constexpr bool IsXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Whether text directly inside `context` keeps its white space by an
// xml:space="preserve" on it or its nearest ancestor that says (attributes
// defaulted by the DTD included). False for anything but an element.
bool InPreserveScope(xmlNodePtr context);

// Removes from a parsed tree the text nodes that hold nothing but white space,
// except in xml:space="preserve" scopes. CDATA sections stay.
void DropWhiteSpaceNodes(xmlDocPtr doc);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_WHITE_SPACE_H_
