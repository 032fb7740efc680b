// The `xml` text of documents and nodes, and the bytes a document saves.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XML_SERIALIZER_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XML_SERIALIZER_H_

#include <libxml/tree.h>

#include <string>

namespace ebank::platform::msxml {

class DocumentOwner;

// The node as XML, without formatting (UTF-8).
std::string SerializeNode(xmlNodePtr node);
// The document as XML: the declaration when the parsed text had one, then
// each top-level node followed by CR LF (UTF-8).
std::string SerializeDocument(const DocumentOwner& owner);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XML_SERIALIZER_H_
