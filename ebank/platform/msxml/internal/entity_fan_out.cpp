#include "ebank/platform/msxml/internal/entity_fan_out.h"

#include <libxml/entities.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ebank/platform/msxml/internal/entity_references.h"
#include "ebank/platform/msxml/internal/parse_limits.h"

namespace ebank::platform::msxml {
namespace {

// Sizes of entities, each measured once; sums saturate just past the limit.
class EntitySizes {
 public:
  EntitySizes(xmlDocPtr doc, std::size_t limit) : doc_(doc), over_(limit + 1) {}

  std::size_t Add(std::size_t a, std::size_t b) const { return std::min(a + b, over_); }
  std::size_t over() const { return over_; }

  std::size_t Of(xmlEntityPtr entity, int depth) {
    if (depth > kMaxEntityNesting) return over_;
    const auto [known, inserted] = sizes_.try_emplace(entity, over_);  // a loop stays over
    if (!inserted) return known->second;
    const std::size_t size = Measure(entity, depth);
    sizes_[entity] = size;
    return size;
  }

 private:
  // The replacement text, each "&name;" in it replaced by that entity's size.
  std::size_t Measure(xmlEntityPtr entity, int depth) {
    if (entity->content == nullptr) return 0;
    std::size_t size = 0;
    ForEachEntityPart(
        reinterpret_cast<const char*>(entity->content),
        [&](std::string_view run) {
          size = Add(size, run.size());
          return size < over_;
        },
        [&](std::string_view name, std::string_view whole) {
          const std::string key(name);
          xmlEntityPtr nested =
              xmlGetDocEntity(doc_, reinterpret_cast<const xmlChar*>(key.c_str()));
          size = Add(size, nested != nullptr ? Of(nested, depth + 1) : whole.size());
          return size < over_;
        });
    return size;
  }

  xmlDocPtr doc_;
  std::size_t over_;
  std::unordered_map<xmlEntityPtr, std::size_t> sizes_;
};

}  // namespace

xmlNodePtr FindEntityOverflow(xmlDocPtr doc, std::size_t limit) {
  if (doc->intSubset == nullptr) return nullptr;  // no entities to refer to
  EntitySizes sizes(doc, limit);
  std::size_t total = 0;
  std::vector<xmlNodePtr> pending;
  for (xmlNodePtr child = doc->last; child != nullptr; child = child->prev) {
    if (child->type == XML_ELEMENT_NODE) pending.push_back(child);
  }
  while (!pending.empty()) {
    xmlNodePtr node = pending.back();
    pending.pop_back();
    if (node->type == XML_ENTITY_REF_NODE) {
      xmlEntityPtr entity = xmlGetDocEntity(doc, node->name);
      total = sizes.Add(total, entity != nullptr ? sizes.Of(entity, 1) : 0);
      if (total == sizes.over()) return node;
      continue;
    }
    for (xmlNodePtr child = node->last; child != nullptr; child = child->prev) {
      pending.push_back(child);
    }
    if (node->type != XML_ELEMENT_NODE) continue;
    for (xmlAttrPtr attribute = node->properties; attribute != nullptr;
         attribute = attribute->next) {
      pending.push_back(reinterpret_cast<xmlNodePtr>(attribute));
    }
  }
  return nullptr;
}

}  // namespace ebank::platform::msxml
