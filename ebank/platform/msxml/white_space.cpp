#include "ebank/platform/msxml/white_space.h"

#include <algorithm>
#include <vector>

namespace ebank::platform::msxml {
namespace {

enum class Scope { kInherit, kDefault, kPreserve };

// What the xml:space attribute of `element` says, if it has one.
Scope OwnScope(xmlNodePtr element) {
  xmlChar* value = xmlGetNsProp(element, reinterpret_cast<const xmlChar*>("space"),
                                reinterpret_cast<const xmlChar*>(XML_XML_NAMESPACE));
  if (value == nullptr) return Scope::kInherit;
  const std::string_view text(reinterpret_cast<const char*>(value));
  const Scope scope = text == "preserve"  ? Scope::kPreserve
                      : text == "default" ? Scope::kDefault
                                          : Scope::kInherit;
  xmlFree(value);
  return scope;
}

bool IsWhiteSpaceOnly(const xmlChar* content) {
  if (content == nullptr) return true;
  const std::string_view text(reinterpret_cast<const char*>(content));
  return std::all_of(text.begin(), text.end(), IsXmlSpace);
}

}  // namespace

bool InPreserveScope(xmlNodePtr context) {
  return context != nullptr && context->type == XML_ELEMENT_NODE &&
         xmlNodeGetSpacePreserve(context) == 1;
}

void DropWhiteSpaceNodes(xmlDocPtr doc) {
  struct Element {
    xmlNodePtr node;
    bool preserve;
  };
  std::vector<Element> pending;
  for (xmlNodePtr child = doc->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) pending.push_back({child, false});
  }
  while (!pending.empty()) {
    const Element parent = pending.back();
    pending.pop_back();
    const Scope scope = OwnScope(parent.node);
    const bool preserve = scope == Scope::kInherit ? parent.preserve : scope == Scope::kPreserve;
    for (xmlNodePtr child = parent.node->children, next; child != nullptr; child = next) {
      next = child->next;
      if (child->type == XML_ELEMENT_NODE) {
        pending.push_back({child, preserve});
      } else if (child->type == XML_TEXT_NODE && !preserve && IsWhiteSpaceOnly(child->content)) {
        xmlUnlinkNode(child);
        xmlFreeNode(child);
      }
    }
  }
}

}  // namespace ebank::platform::msxml
