// XSLT 1.0 through libxslt: compiling a style sheet held in a DOM tree and
// applying it to a node, with the output as text. Style sheets may not read
// or write files or the network.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XSLT_ENGINE_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XSLT_ENGINE_H_

#include <libxml/tree.h>
#include <libxslt/xsltInternals.h>

#include <memory>
#include <string>

#include "ebank/platform/types.h"

namespace ebank::platform::msxml {

// Compiles a copy of the tree of `stylesheet` (a document, or an element as
// the root of one), so later edits of the tree do not reach the compiled form.
// E_FAIL with *error set for a tree that is not a valid style sheet.
HRESULT CompileStylesheet(xmlNodePtr stylesheet, std::shared_ptr<xsltStylesheet>* compiled,
                          std::string* error);

// Applies `style` to the document of `input` (or to a copy of `input` when it
// is not a document) and serialises the result as the style sheet's output
// method says, as UTF-8 text. E_FAIL with *error for a failing transformation.
HRESULT ApplyStylesheet(xsltStylesheetPtr style, xmlNodePtr input, std::string* output,
                        std::string* error);

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XSLT_ENGINE_H_
