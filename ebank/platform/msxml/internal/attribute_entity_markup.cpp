#include "ebank/platform/msxml/internal/attribute_entity_markup.h"

#include <libxml/entities.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ebank/platform/msxml/internal/entity_references.h"
#include "ebank/platform/msxml/internal/parse_limits.h"

namespace ebank::platform::msxml {
namespace {

// Per entity, the entity (itself or one it refers to) whose replacement text
// holds a '<', each entity looked at once. libxml2 keeps the replacement text
// as the content, character references already resolved: a '<' there is
// markup, while a "&#60;" there stood for "&#38;#60;" and is text.
class MarkupHolders {
 public:
  explicit MarkupHolders(xmlDocPtr doc) : doc_(doc) {}

  xmlEntityPtr Of(xmlEntityPtr entity, int depth) {
    if (depth > kMaxEntityNesting) return nullptr;  // deeper nesting is refused by the parser
    const auto [known, inserted] = holders_.try_emplace(entity, nullptr);  // a loop holds none
    if (!inserted) return known->second;
    xmlEntityPtr holder = Find(entity, depth);
    holders_[entity] = holder;
    return holder;
  }

 private:
  xmlEntityPtr Find(xmlEntityPtr entity, int depth) {
    if (entity->etype == XML_INTERNAL_PREDEFINED_ENTITY || entity->content == nullptr) {
      return nullptr;
    }
    xmlEntityPtr holder = nullptr;
    ForEachEntityPart(
        reinterpret_cast<const char*>(entity->content),
        [&](std::string_view run) {
          if (run.find('<') != std::string_view::npos) holder = entity;
          return holder == nullptr;
        },
        [&](std::string_view name, std::string_view) {
          const std::string key(name);
          if (xmlEntityPtr nested =
                  xmlGetDocEntity(doc_, reinterpret_cast<const xmlChar*>(key.c_str()))) {
            holder = Of(nested, depth + 1);
          }
          return holder == nullptr;
        });
    return holder;
  }

  xmlDocPtr doc_;
  std::unordered_map<xmlEntityPtr, xmlEntityPtr> holders_;
};

// The entity references among the children of `attribute`.
void CheckAttribute(xmlAttrPtr attribute, MarkupHolders& holders, AttributeEntityMarkup& found) {
  for (xmlNodePtr child = attribute->children; child != nullptr && found.reference == nullptr;
       child = child->next) {
    if (child->type != XML_ENTITY_REF_NODE) continue;
    xmlEntityPtr entity = xmlGetDocEntity(child->doc, child->name);
    if (entity == nullptr) continue;
    if (xmlEntityPtr holder = holders.Of(entity, 1)) found = {child, holder};
  }
}

}  // namespace

AttributeEntityMarkup FindAttributeEntityMarkup(xmlDocPtr doc) {
  AttributeEntityMarkup found{nullptr, nullptr};
  if (doc->intSubset == nullptr) return found;  // no entities to refer to
  MarkupHolders holders(doc);
  std::unordered_set<xmlEntityPtr> entered;  // entity content is walked once
  std::vector<xmlNodePtr> pending;
  for (xmlNodePtr child = doc->last; child != nullptr; child = child->prev) {
    if (child->type == XML_ELEMENT_NODE) pending.push_back(child);
  }
  while (!pending.empty() && found.reference == nullptr) {
    xmlNodePtr node = pending.back();
    pending.pop_back();
    xmlNodePtr last = node->last;
    if (node->type == XML_ENTITY_REF_NODE) {
      xmlEntityPtr entity = xmlGetDocEntity(doc, node->name);
      last = entity != nullptr && entered.insert(entity).second ? entity->last : nullptr;
    } else if (node->type == XML_ELEMENT_NODE) {
      for (xmlAttrPtr attribute = node->properties;
           attribute != nullptr && found.reference == nullptr; attribute = attribute->next) {
        CheckAttribute(attribute, holders, found);
      }
    }
    for (xmlNodePtr child = last; child != nullptr; child = child->prev) pending.push_back(child);
  }
  return found;
}

}  // namespace ebank::platform::msxml
