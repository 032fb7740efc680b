// XPathCache: one thread's XPath context and the expressions compiled on it,
// shared by every document the thread queries. Making a context registers
// every XPath function, and compiling parses the path, so neither is done
// again for each new document or for a path queried again.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XPATH_CACHE_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XPATH_CACHE_H_

#include <libxml/xpath.h>

#include <memory>
#include <string>
#include <unordered_map>

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
  // Null when the expression fails to compile or to evaluate; libxml2 reports
  // why through its error handlers. Throws std::bad_alloc when no context can
  // be made. The caller frees the result.
  xmlXPathObjectPtr Evaluate(const std::string& xpath, xmlDocPtr doc, xmlNodePtr node);

 private:
  XPathCache() = default;

  struct CompiledDeleter {
    void operator()(xmlXPathCompExprPtr expression) const { xmlXPathFreeCompExpr(expression); }
  };
  using Compiled = std::unique_ptr<xmlXPathCompExpr, CompiledDeleter>;

  // The compiled form of `xpath`, kept until the cache is full; null when it
  // does not compile (failures are not kept, so each use reports its error).
  xmlXPathCompExprPtr CompiledOf(const std::string& xpath);

  xmlXPathContextPtr context_ = nullptr;
  std::unordered_map<std::string, Compiled> compiled_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XPATH_CACHE_H_
