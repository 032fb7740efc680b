// XPathCache: the XPath context of one document and the expressions compiled
// for it, so that a path queried again is evaluated without being parsed anew.
#ifndef EBANK_PLATFORM_MSXML_XPATH_CACHE_H_
#define EBANK_PLATFORM_MSXML_XPATH_CACHE_H_

#include <libxml/xpath.h>

#include <memory>
#include <string>
#include <unordered_map>

namespace ebank::platform::msxml {

class XPathCache {
 public:
  explicit XPathCache(xmlDocPtr doc) : doc_(doc) {}
  XPathCache(const XPathCache&) = delete;
  XPathCache& operator=(const XPathCache&) = delete;
  ~XPathCache() { Clear(); }

  // Evaluates `xpath` (UTF-8, no NUL) with `node` as context node. Null when
  // the expression fails to compile or to evaluate; libxml2 reports why
  // through its error handlers. Throws std::bad_alloc when no context can be
  // made. The caller frees the result.
  xmlXPathObjectPtr Evaluate(const std::string& xpath, xmlNodePtr node);
  // Frees the context and the compiled expressions; to be called before the
  // document goes.
  void Clear();

 private:
  struct CompiledDeleter {
    void operator()(xmlXPathCompExprPtr expression) const { xmlXPathFreeCompExpr(expression); }
  };
  using Compiled = std::unique_ptr<xmlXPathCompExpr, CompiledDeleter>;

  // The compiled form of `xpath`, kept until the cache is full; null when it
  // does not compile (failures are not kept, so each use reports its error).
  xmlXPathCompExprPtr CompiledOf(const std::string& xpath);

  xmlDocPtr doc_;
  xmlXPathContextPtr context_ = nullptr;
  std::unordered_map<std::string, Compiled> compiled_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_XPATH_CACHE_H_
