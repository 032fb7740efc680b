// The `text` of a node: the character data of its subtree in document order,
// read through entity references (comments and processing instructions of
// an element are not part of it).
//
// Trimmed, the text loses the white space at its start and end where that
// comes from ordinary text; CDATA sections and text in xml:space="preserve"
// scopes keep theirs, and white space inside the text always stays. The text
// of attributes, CDATA sections, comments and processing instructions is
// never trimmed.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_NODE_TEXT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_NODE_TEXT_H_

#include <libxml/tree.h>

#include <string>
#include <string_view>

namespace ebank::platform::msxml {

// The text of `node` as UTF-8. The result points into the tree when the text
// is held in one piece there, else into `storage`; it stays valid until
// either changes.
std::string_view NodeText(xmlNodePtr node, bool trim, std::string* storage);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_NODE_TEXT_H_
