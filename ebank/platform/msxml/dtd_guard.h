// DtdGuard: checks the declarations of a document's internal subset as the
// parser reads them, before any element uses them.
//
// A DTD may give one element at most kMaxDefaultedAttributes attributes by
// default, namespace declarations among them of kMaxDefaultedNamespaceBytes
// at most, and the replacement text of an internal entity may hold no start
// tag over kMaxAttributes (the text of the document itself is scanned before
// parsing). The first breach stops the parser.
#ifndef EBANK_PLATFORM_MSXML_DTD_GUARD_H_
#define EBANK_PLATFORM_MSXML_DTD_GUARD_H_

#include <libxml/parser.h>

#include <string>
#include <unordered_map>

namespace ebank::platform::msxml {

class DtdGuard {
 public:
  // Installs the checks on `context` (whose user data must be the context
  // itself) for the lifetime of the guard.
  explicit DtdGuard(xmlParserCtxtPtr context);
  ~DtdGuard();
  DtdGuard(const DtdGuard&) = delete;
  DtdGuard& operator=(const DtdGuard&) = delete;

  bool stopped() const { return !reason_.empty(); }
  // Why and where the parser was stopped.
  const std::string& reason() const { return reason_; }
  int line() const { return line_; }
  int column() const { return column_; }

 private:
  static void AttributeDecl(void* context, const xmlChar* element, const xmlChar* name, int type,
                            int def, const xmlChar* default_value, xmlEnumerationPtr values);
  static void EntityDecl(void* context, const xmlChar* name, int type, const xmlChar* public_id,
                         const xmlChar* system_id, xmlChar* content);
  static DtdGuard* Of(void* context);
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
  std::string reason_;
  int line_ = 0;
  int column_ = 0;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_DTD_GUARD_H_
