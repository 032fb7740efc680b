#include "ebank/platform/msxml/internal/entity_fan_out.h"

#include <libxml/entities.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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
    const std::string_view text(reinterpret_cast<const char*>(entity->content));
    std::size_t size = 0;
    std::size_t pos = 0;
    while (pos < text.size() && size < over_) {
      const std::size_t amp = text.find('&', pos);
      if (amp == std::string_view::npos) {
        size = Add(size, text.size() - pos);
        break;
      }
      size = Add(size, amp - pos);
      const std::size_t end = text.find_first_of(";& \t\r\n<", amp + 1);
      if (end == std::string_view::npos || text[end] != ';' || end == amp + 1 ||
          text[amp + 1] == '#') {
        size = Add(size, 1);  // a lone '&' or a character reference
        pos = end != std::string_view::npos && text[end] == ';' ? end + 1 : amp + 1;
        continue;
      }
      const std::string name(text.substr(amp + 1, end - amp - 1));
      xmlEntityPtr nested = xmlGetDocEntity(doc_, reinterpret_cast<const xmlChar*>(name.c_str()));
      size = Add(size, nested != nullptr ? Of(nested, depth + 1) : end + 1 - amp);
      pos = end + 1;
    }
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
