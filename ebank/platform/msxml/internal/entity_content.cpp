#include "ebank/platform/msxml/internal/entity_content.h"

#include <libxml/entities.h>
#include <libxml/hash.h>

namespace ebank::platform::msxml {
namespace {

struct Documents {
  xmlDocPtr original;
  xmlDocPtr copy;
};

// Copies the nodes of one entity of the original into the copy's namesake,
// owned and freed by that entity as the parser's are. References among them
// point to the copy's entities.
void CopyContent(void* payload, void* documents, const xmlChar* name) {
  const auto* original = static_cast<xmlEntityPtr>(payload);
  const auto* docs = static_cast<Documents*>(documents);
  xmlEntityPtr entity = xmlGetDocEntity(docs->copy, name);
  if (original->children == nullptr || entity == nullptr || entity->children != nullptr) return;
  xmlNodePtr list = xmlDocCopyNodeList(docs->copy, original->children);
  entity->children = list;
  entity->owner = 1;
  for (xmlNodePtr node = list; node != nullptr; node = node->next) {
    node->parent = reinterpret_cast<xmlNodePtr>(entity);
    entity->last = node;
  }
}

}  // namespace

xmlNodePtr EntityContent(xmlNodePtr reference) {
  xmlEntityPtr entity = xmlGetDocEntity(reference->doc, reference->name);
  return entity != nullptr ? entity->children : nullptr;
}

void CopyEntityContents(xmlDocPtr original, xmlDocPtr copy) {
  if (original->intSubset == nullptr || original->intSubset->entities == nullptr) return;
  Documents documents{original, copy};
  xmlHashScan(static_cast<xmlHashTablePtr>(original->intSubset->entities), CopyContent, &documents);
}

}  // namespace ebank::platform::msxml
