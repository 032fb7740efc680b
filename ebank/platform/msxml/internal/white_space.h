// White space as XML defines it, the xml:space scopes that keep it, and the
// white space a document drops when it is loaded without preserving it.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_WHITE_SPACE_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_WHITE_SPACE_H_

#include <libxml/tree.h>

#include <span>
#include <unordered_map>

namespace ebank::platform::msxml {

// Space, tab, line feed and carriage return.
constexpr bool IsXmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Answers whether text directly inside an element keeps its white space: by
// an xml:space="preserve" on it or on its nearest ancestor that has xml:space
// (attributes defaulted by the DTD, and one set through the DOM by its
// qualified name, included). Each element is looked at once per object, so a
// caller may ask for many nodes of one tree.
class PreserveScopes {
 public:
  // False for anything but an element.
  bool Preserves(xmlNodePtr context);

 private:
  std::unordered_map<xmlNodePtr, bool> known_;
};

// Removes those of `texts` (distinct text nodes of a tree) that hold nothing
// but white space, except in xml:space="preserve" scopes.
void DropWhiteSpaceNodes(std::span<const xmlNodePtr> texts);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_WHITE_SPACE_H_
