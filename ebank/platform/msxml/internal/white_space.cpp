#include "ebank/platform/msxml/internal/white_space.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace ebank::platform::msxml {
namespace {

enum class Scope { kInherit, kDefault, kPreserve };

const xmlChar* Utf8(const char* text) {
  return reinterpret_cast<const xmlChar*>(text);
}

// What the xml:space attribute of `element` says, if it has one.
Scope OwnScope(xmlNodePtr element) {
  xmlChar* value = xmlGetNsProp(element, Utf8("space"), XML_XML_NAMESPACE);
  if (value == nullptr) value = xmlGetNoNsProp(element, Utf8("xml:space"));
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

bool PreserveScopes::Preserves(xmlNodePtr context) {
  // Walks up to an element whose answer is known or that decides it, then
  // records the answer for the elements passed on the way.
  std::vector<xmlNodePtr> passed;
  bool preserve = false;
  for (xmlNodePtr element = context; element != nullptr && element->type == XML_ELEMENT_NODE;
       element = element->parent) {
    if (const auto known = known_.find(element); known != known_.end()) {
      preserve = known->second;
      break;
    }
    passed.push_back(element);
    if (const Scope scope = OwnScope(element); scope != Scope::kInherit) {
      preserve = scope == Scope::kPreserve;
      break;
    }
  }
  for (xmlNodePtr element : passed) known_.emplace(element, preserve);
  return preserve;
}

void DropWhiteSpaceNodes(std::span<const xmlNodePtr> texts) {
  PreserveScopes scopes;
  for (xmlNodePtr text : texts) {
    if (text->type != XML_TEXT_NODE || !IsWhiteSpaceOnly(text->content)) continue;
    if (scopes.Preserves(text->parent)) continue;
    xmlUnlinkNode(text);
    xmlFreeNode(text);
  }
}

}  // namespace ebank::platform::msxml
