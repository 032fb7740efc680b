// XPath 1.0 selection from a context node, with the nodes in document order.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XPATH_SELECTION_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XPATH_SELECTION_H_

#include <libxml/tree.h>

#include <string>
#include <vector>

#include "ebank/platform/types.h"

namespace ebank::platform::msxml {

// Evaluates `xpath` (UTF-8) with `context` as context node. The result must
// be a node set; namespace nodes in it are left out (they are copies that
// live only as long as the evaluation). At most `limit` nodes are returned.
// E_FAIL with *error set for an invalid expression or a result that is not a
// node set.
HRESULT SelectNodes(xmlNodePtr context, const std::string& xpath, size_t limit,
                    std::vector<xmlNodePtr>* nodes, std::string* error);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XPATH_SELECTION_H_
