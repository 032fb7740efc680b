#include "ebank/platform/msxml/entity_content.h"

#include <libxml/entities.h>
#include <libxml/hash.h>
#include <libxml/parser.h>

#include "ebank/platform/msxml/libxml_errors.h"

namespace ebank::platform::msxml {
namespace {

// Parses the replacement text of `entity` in its document and makes the
// result the entity's children, owned and freed by the entity.
void ParseContent(xmlEntityPtr entity) {
  ErrorCapture capture;  // a text that does not parse stays without content
  xmlNodePtr list = nullptr;
  if (xmlParseBalancedChunkMemory(entity->doc, nullptr, nullptr, 0, entity->content, &list) != 0) {
    xmlFreeNodeList(list);
    return;
  }
  entity->children = list;
  entity->owner = 1;
  for (xmlNodePtr node = list; node != nullptr; node = node->next) {
    node->parent = reinterpret_cast<xmlNodePtr>(entity);
    entity->last = node;
  }
}

bool NeedsContent(xmlEntityPtr entity) {
  return entity->children == nullptr && entity->content != nullptr &&
         entity->etype == XML_INTERNAL_GENERAL_ENTITY;
}

}  // namespace

xmlNodePtr EntityContent(xmlNodePtr reference) {
  xmlEntityPtr entity = xmlGetDocEntity(reference->doc, reference->name);
  if (entity == nullptr) return nullptr;
  if (NeedsContent(entity)) ParseContent(entity);
  return entity->children;
}

void ParseEntityContents(xmlDocPtr doc) {
  if (doc->intSubset == nullptr || doc->intSubset->entities == nullptr) return;
  const auto parse = [](void* payload, void*, const xmlChar*) {
    auto* entity = static_cast<xmlEntityPtr>(payload);
    if (NeedsContent(entity)) ParseContent(entity);
  };
  xmlHashScan(static_cast<xmlHashTablePtr>(doc->intSubset->entities), parse, nullptr);
}

}  // namespace ebank::platform::msxml
