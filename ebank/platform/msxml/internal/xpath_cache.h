// XPathCache: one thread's XPath context and the expressions compiled on it,
// shared by every document the thread queries. Making a context registers
// every XPath function, and compiling parses the path, so neither is done
// again for each new document or for a path queried again.
//
// Errors: the first evaluation of an expression runs under an ErrorCapture,
// which also catches libxml2's plain-text messages. An expression that ran
// once without any report is quiet: its later evaluations report through the
// context's own error handler and leave the thread's handlers alone, which
// saves swapping them on every query.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XPATH_CACHE_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XPATH_CACHE_H_

#include <libxml/xpath.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "ebank/platform/msxml/internal/libxml_errors.h"

namespace ebank::platform::msxml {

class XPathCache {
 public:
  // The calling thread's cache, made on first use and freed when the thread
  // ends.
  static XPathCache& ForThisThread();

  XPathCache(const XPathCache&) = delete;
  XPathCache& operator=(const XPathCache&) = delete;
  ~XPathCache();

  // Evaluates `xpath` (UTF-8, no NUL) in `doc` with `node` as context node.
  // Null when the expression fails to compile or to evaluate; *error holds
  // the first error libxml2 reported on the way. Throws std::bad_alloc when
  // no context can be made. The caller frees the result.
  xmlXPathObjectPtr Evaluate(const std::string& xpath, xmlDocPtr doc, xmlNodePtr node,
                             CapturedError* error);

 private:
  XPathCache() = default;

  struct CompiledDeleter {
    void operator()(xmlXPathCompExprPtr expression) const { xmlXPathFreeCompExpr(expression); }
  };
  struct Entry {
    std::unique_ptr<xmlXPathCompExpr, CompiledDeleter> expression;
    bool quiet = false;  // evaluated once with no error reported
  };

  // The entry of `xpath`, compiled and kept until the cache is full; null
  // when it does not compile (failures are not kept, so each use reports its
  // error).
  Entry* EntryOf(const std::string& xpath);
  xmlXPathObjectPtr EvaluateQuietly(xmlXPathCompExprPtr expression, CapturedError* error);
  // The context's error handler during a quiet evaluation.
  static void ReportError(void* cache, xmlErrorPtr error);

  xmlXPathContextPtr context_ = nullptr;
  CapturedError* sink_ = nullptr;  // set during a quiet evaluation
  std::unordered_map<std::string, Entry> compiled_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XPATH_CACHE_H_
