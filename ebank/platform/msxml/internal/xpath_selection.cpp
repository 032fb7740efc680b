#include "ebank/platform/msxml/internal/xpath_selection.h"

#include <libxml/xpath.h>

#include <algorithm>
#include <memory>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/internal/libxml_errors.h"
#include "ebank/platform/msxml/internal/xpath_cache.h"

namespace ebank::platform::msxml {
namespace {

struct ObjectDeleter {
  void operator()(xmlXPathObjectPtr object) const { xmlXPathFreeObject(object); }
};

}  // namespace

HRESULT SelectNodes(xmlNodePtr context, const std::string& xpath, size_t limit,
                    std::vector<xmlNodePtr>* nodes, std::string* error) {
  nodes->clear();
  if (xpath.find('\0') != std::string::npos) {
    *error = "The expression contains a NUL character.";
    return E_FAIL;
  }
  CapturedError failure;
  std::unique_ptr<xmlXPathObject, ObjectDeleter> result(
      XPathCache::ForThisThread().Evaluate(xpath, context->doc, context, &failure));
  if (!result || failure.present) {
    *error = failure.MessageOr("The XPath expression is not valid.") + " (" + xpath + ")";
    return E_FAIL;
  }
  if (result->type != XPATH_NODESET) {
    *error = "The expression does not evaluate to a node set: " + xpath;
    return E_FAIL;
  }
  const xmlNodeSetPtr set = result->nodesetval;
  const int count = set != nullptr ? set->nodeNr : 0;
  nodes->reserve(std::min(static_cast<size_t>(count), limit));
  for (int i = 0; i < count && nodes->size() < limit; ++i) {
    xmlNodePtr node = set->nodeTab[i];
    if (node->type != XML_NAMESPACE_DECL) nodes->push_back(node);
  }
  return S_OK;
}

}  // namespace ebank::platform::msxml
