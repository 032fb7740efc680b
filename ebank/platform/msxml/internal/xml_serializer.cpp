#include "ebank/platform/msxml/internal/xml_serializer.h"

#include <libxml/xmlsave.h>

#include <new>

#include "ebank/platform/msxml/internal/document_owner.h"
#include "ebank/platform/msxml/internal/libxml_errors.h"

namespace ebank::platform::msxml {
namespace {

int AppendToString(void* context, const char* bytes, int length) {
  static_cast<std::string*>(context)->append(bytes, static_cast<size_t>(length));
  return length;
}

void AppendNode(xmlNodePtr node, std::string* out) {
  ErrorCapture capture;
  // Naming UTF-8 keeps non-ASCII characters as they are (without an encoding
  // the saver writes them as character references).
  xmlSaveCtxtPtr saver =
      xmlSaveToIO(AppendToString, nullptr, out, "UTF-8", XML_SAVE_NO_DECL | XML_SAVE_AS_XML);
  if (saver == nullptr) throw std::bad_alloc();
  xmlSaveTree(saver, node);
  xmlSaveClose(saver);
}

}  // namespace

std::string SerializeNode(xmlNodePtr node) {
  std::string out;
  if (node->type == XML_DOCUMENT_NODE) return SerializeDocument(*DocumentOwner::Of(node));
  AppendNode(node, &out);
  // An attribute is written with the blank that separates it in a start tag.
  if (node->type == XML_ATTRIBUTE_NODE && !out.empty() && out.front() == ' ') out.erase(0, 1);
  return out;
}

std::string SerializeDocument(const DocumentOwner& owner) {
  std::string out;
  xmlDocPtr doc = owner.doc();
  if (owner.has_declaration()) {
    out = "<?xml version=\"1.0\"";
    if (doc->standalone == 1) out += " standalone=\"yes\"";
    out += "?>\r\n";
  }
  for (xmlNodePtr child = doc->children; child != nullptr; child = child->next) {
    AppendNode(child, &out);
    out += "\r\n";
  }
  return out;
}

}  // namespace ebank::platform::msxml
