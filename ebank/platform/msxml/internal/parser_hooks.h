// ParserHooks: the SAX hooks of one parse. They check the declarations of a
// document's internal subset as the parser reads them, before any element
// uses them, and note the text that holds nothing but white space.
//
// A DTD may give one element at most kMaxDefaultedAttributes attributes by
// default, namespace declarations among them of kMaxDefaultedNamespaceBytes
// at most, and the replacement text of an internal entity may hold no start
// tag over kMaxAttributes (the text of the document itself is scanned before
// parsing). The first breach stops the parser.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_PARSER_HOOKS_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_PARSER_HOOKS_H_

#include <libxml/parser.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace ebank::platform::msxml {

class ParserHooks {
 public:
  // Installs the hooks on `context` (whose user data must be the context
  // itself) for the lifetime of this object.
  explicit ParserHooks(xmlParserCtxtPtr context);
  ~ParserHooks();
  ParserHooks(const ParserHooks&) = delete;
  ParserHooks& operator=(const ParserHooks&) = delete;

  bool stopped() const { return !reason_.empty(); }
  // Why and where the parser was stopped.
  const std::string& reason() const { return reason_; }
  int line() const { return line_; }
  int column() const { return column_; }

  // The text nodes of the tree that took text of nothing but white space,
  // each once: only these can hold nothing else.
  const std::vector<xmlNodePtr>& blank_texts() const { return blank_texts_; }

 private:
  static void AttributeDecl(void* context, const xmlChar* element, const xmlChar* name, int type,
                            int def, const xmlChar* default_value, xmlEnumerationPtr values);
  static void EntityDecl(void* context, const xmlChar* name, int type, const xmlChar* public_id,
                         const xmlChar* system_id, xmlChar* content);
  static void Characters(void* context, const xmlChar* text, int length);
  static ParserHooks* Of(void* context);
  void CountDefault(const std::string& element, const std::string& name, const std::string& value);
  void Stop(std::string reason);

  xmlParserCtxtPtr context_;
  // Per element name: defaulted attributes, and bytes of defaulted namespace
  // declarations.
  struct Defaults {
    std::size_t count = 0;
    std::size_t namespace_bytes = 0;
  };
  std::unordered_map<std::string, Defaults> defaults_;
  std::vector<xmlNodePtr> blank_texts_;
  std::string reason_;
  int line_ = 0;
  int column_ = 0;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_PARSER_HOOKS_H_
