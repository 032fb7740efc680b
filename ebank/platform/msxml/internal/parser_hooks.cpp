#include "ebank/platform/msxml/internal/parser_hooks.h"

#include <libxml/SAX2.h>
#include <libxml/entities.h>

#include <algorithm>
#include <string_view>

#include "ebank/platform/msxml/internal/markup_scan.h"
#include "ebank/platform/msxml/internal/parse_limits.h"
#include "ebank/platform/msxml/internal/white_space.h"

namespace ebank::platform::msxml {
namespace {

std::string TextOf(const xmlChar* text) {
  return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

ParserHooks::ParserHooks(xmlParserCtxtPtr context) : context_(context) {
  context->_private = this;
  context->sax->attributeDecl = AttributeDecl;
  context->sax->entityDecl = EntityDecl;
  // Both, so that the parser never tells blank text apart itself.
  context->sax->characters = Characters;
  context->sax->ignorableWhitespace = Characters;
}

ParserHooks::~ParserHooks() {
  context_->_private = nullptr;
  context_->sax->attributeDecl = xmlSAX2AttributeDecl;
  context_->sax->entityDecl = xmlSAX2EntityDecl;
  context_->sax->characters = xmlSAX2Characters;
  context_->sax->ignorableWhitespace = xmlSAX2Characters;
}

ParserHooks* ParserHooks::Of(void* context) {
  return static_cast<ParserHooks*>(static_cast<xmlParserCtxtPtr>(context)->_private);
}

void ParserHooks::AttributeDecl(void* context, const xmlChar* element, const xmlChar* name,
                                int type, int def, const xmlChar* default_value,
                                xmlEnumerationPtr values) {
  // The parser keeps the default of exactly these declarations for elements.
  if (default_value != nullptr && def != XML_ATTRIBUTE_IMPLIED && def != XML_ATTRIBUTE_REQUIRED) {
    Of(context)->CountDefault(TextOf(element), TextOf(name), TextOf(default_value));
  }
  xmlSAX2AttributeDecl(context, element, name, type, def, default_value, values);
}

void ParserHooks::CountDefault(const std::string& element, const std::string& name,
                               const std::string& value) {
  Defaults& defaults = defaults_[element];
  const bool declares_namespace = name == "xmlns" || name.starts_with("xmlns:");
  if (declares_namespace) defaults.namespace_bytes += name.size() + value.size();
  if (++defaults.count > kMaxDefaultedAttributes) {
    Stop("The DTD gives the element '" + element + "' more than " +
         std::to_string(kMaxDefaultedAttributes) + " attributes by default.");
  } else if (defaults.namespace_bytes > kMaxDefaultedNamespaceBytes) {
    Stop("The DTD gives the element '" + element + "' namespace declarations of more than " +
         std::to_string(kMaxDefaultedNamespaceBytes) + " bytes by default.");
  }
}

void ParserHooks::EntityDecl(void* context, const xmlChar* name, int type, const xmlChar* public_id,
                             const xmlChar* system_id, xmlChar* content) {
  if (type == XML_INTERNAL_GENERAL_ENTITY && content != nullptr &&
      FindCrowdedTag(reinterpret_cast<const char*>(content), kMaxAttributes)) {
    Of(context)->Stop("The entity '" + TextOf(name) + "' holds a start tag with more than " +
                      std::to_string(kMaxAttributes) + " attributes.");
  }
  xmlSAX2EntityDecl(context, name, type, public_id, system_id, content);
}

void ParserHooks::Characters(void* context, const xmlChar* text, int length) {
  xmlSAX2Characters(context, text, length);
  // Text of entities is parsed with contexts of its own and stays out of the
  // tree; the text just added is the parent's last child.
  auto* parser = static_cast<xmlParserCtxtPtr>(context);
  ParserHooks* hooks = Of(context);
  const bool in_tree = hooks != nullptr && parser == hooks->context_ && parser->node != nullptr;
  xmlNodePtr node = in_tree ? parser->node->last : nullptr;
  if (node == nullptr) return;
  const std::string_view chunk(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
  if (!std::all_of(chunk.begin(), chunk.end(), IsXmlSpace)) return;
  if (hooks->blank_texts_.empty() || hooks->blank_texts_.back() != node) {
    hooks->blank_texts_.push_back(node);
  }
}

void ParserHooks::Stop(std::string reason) {
  if (stopped()) return;
  reason_ = std::move(reason);
  line_ = context_->input != nullptr ? context_->input->line : 0;
  column_ = context_->input != nullptr ? context_->input->col : 0;
  xmlStopParser(context_);
}

}  // namespace ebank::platform::msxml
