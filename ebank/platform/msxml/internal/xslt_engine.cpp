#include "ebank/platform/msxml/internal/xslt_engine.h"

#include <libxslt/transform.h>
#include <libxslt/xsltutils.h>

#include <new>

#include "ebank/platform/hresult.h"
#include "ebank/platform/msxml/internal/entity_content.h"
#include "ebank/platform/msxml/internal/libxml_errors.h"
#include "ebank/platform/msxml/internal/tree_edit.h"

namespace ebank::platform::msxml {
namespace {

struct DocDeleter {
  void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

// A document of its own holding a deep copy of `node` (of the whole document
// for a document node) without entity references: libxslt neither reads
// through them nor copies them into its result with their text. Null for a
// node that cannot be copied (an entity reference).
DocPtr CopyIntoOwnDocument(xmlNodePtr node) {
  if (node->type == XML_DOCUMENT_NODE) {
    DocPtr doc(xmlCopyDoc(node->doc, 1));
    if (!doc) throw std::bad_alloc();
    CopyEntityContents(node->doc, doc.get());
    for (xmlNodePtr child = doc->children; child != nullptr; child = child->next) {
      if (child->type != XML_DTD_NODE) ExpandEntityReferences(child);
    }
    return doc;
  }
  DocPtr doc(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
  if (!doc) throw std::bad_alloc();
  xmlNodePtr copy = CopyToDocument(node, doc.get());
  if (copy == nullptr) return nullptr;
  xmlDocSetRootElement(doc.get(), copy);
  return doc;
}

// libxslt numbers the elements of a source document for sorting; the numbers
// go stale when the tree is edited later, so they are cleared again.
void ClearOrderNumbers(xmlDocPtr doc) {
  for (xmlNodePtr node = xmlDocGetRootElement(doc); node != nullptr;) {
    if (node->type == XML_ELEMENT_NODE) node->content = nullptr;
    if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
      node = node->children;
      continue;
    }
    while (node != nullptr && node->next == nullptr) {
      node = node->parent;
      if (node != nullptr && node->type == XML_DOCUMENT_NODE) node = nullptr;
    }
    if (node != nullptr) node = node->next;
  }
}

int AppendToString(void* context, const char* bytes, int length) {
  static_cast<std::string*>(context)->append(bytes, static_cast<size_t>(length));
  return length;
}

bool SerializeResult(xmlDocPtr result, xsltStylesheetPtr style, std::string* output) {
  // No encoder: the output stays UTF-8 whatever encoding the style sheet names.
  xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(AppendToString, nullptr, output, nullptr);
  if (buffer == nullptr) throw std::bad_alloc();
  const int written = xsltSaveResultTo(buffer, result, style);
  return xmlOutputBufferClose(buffer) >= 0 && written >= 0;
}

}  // namespace

HRESULT CompileStylesheet(xmlNodePtr stylesheet, std::shared_ptr<xsltStylesheet>* compiled,
                          std::string* error) {
  ErrorCapture capture;
  DocPtr copy = CopyIntoOwnDocument(stylesheet);
  if (!copy) {
    *error = "This node cannot be a style sheet.";
    return E_FAIL;
  }
  xsltStylesheetPtr style = xsltParseStylesheetDoc(copy.get());
  if (style != nullptr && style->errors == 0) {
    copy.release();  // owned by the style sheet now
    compiled->reset(style, xsltFreeStylesheet);
    return S_OK;
  }
  if (style != nullptr) {
    copy.release();
    xsltFreeStylesheet(style);
  }
  *error = capture.error().MessageOr("The document is not a valid XSL style sheet.");
  return E_FAIL;
}

HRESULT ApplyStylesheet(xsltStylesheetPtr style, xmlNodePtr input, std::string* output,
                        std::string* error) {
  ErrorCapture capture;
  DocPtr input_copy;
  xmlDocPtr source = input->doc;
  // Only a document with a DTD can hold entity references.
  if (input->type != XML_DOCUMENT_NODE || input->doc->intSubset != nullptr) {
    input_copy = CopyIntoOwnDocument(input);
    if (!input_copy) {
      *error = "This node cannot be transformed.";
      return E_FAIL;
    }
    source = input_copy.get();
  }
  xsltTransformContextPtr context = xsltNewTransformContext(style, source);
  if (context == nullptr) throw std::bad_alloc();
  DocPtr result(xsltApplyStylesheetUser(style, source, nullptr, nullptr, nullptr, context));
  const bool failed =
      !result || context->state == XSLT_STATE_ERROR || context->state == XSLT_STATE_STOPPED;
  xsltFreeTransformContext(context);
  ClearOrderNumbers(source);
  if (failed || !SerializeResult(result.get(), style, output)) {
    *error = capture.error().MessageOr("The transformation failed.");
    return E_FAIL;
  }
  return S_OK;
}

}  // namespace ebank::platform::msxml
