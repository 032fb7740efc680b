// DomDocument: the document object of the classes "Msxml2.DOMDocument.3.0"
// and "MSXML2.FreeThreadedDOMDocument".
//
// Loading replaces the whole tree by a new one; node objects of the old tree
// keep it alive. The parse-error state and the settings belong to the object.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_DOM_DOCUMENT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_DOM_DOCUMENT_H_

#include "ebank/platform/msxml/internal/node_base.h"
#include "ebank/platform/msxml/internal/xml_parser.h"
#include "ebank/platform/msxml/xml_dom_document2.h"

namespace ebank::platform::msxml {

class DomDocument final : public NodeBase<IXMLDOMDocument2> {
 public:
  // A new object (one reference) presenting the tree of `owner`.
  static IXMLDOMDocument2* Create(RefPtr<DocumentOwner> owner);
  // A new object with an empty document; null when memory runs out.
  static IXMLDOMDocument2* CreateEmpty();

  STDMETHODIMP get_documentElement(IXMLDOMElement** element) override;
  STDMETHODIMP putref_documentElement(IXMLDOMElement* element) override;
  STDMETHODIMP createElement(BSTR name, IXMLDOMElement** element) override;
  STDMETHODIMP createTextNode(BSTR text, IXMLDOMNode** node) override;
  STDMETHODIMP get_parseError(IXMLDOMParseError** error) override;
  STDMETHODIMP get_async(VARIANT_BOOL* async) override;
  STDMETHODIMP put_async(VARIANT_BOOL async) override;
  STDMETHODIMP put_validateOnParse(VARIANT_BOOL validate) override;
  STDMETHODIMP put_resolveExternals(VARIANT_BOOL resolve) override;
  STDMETHODIMP get_preserveWhiteSpace(VARIANT_BOOL* preserve) override;
  STDMETHODIMP put_preserveWhiteSpace(VARIANT_BOOL preserve) override;
  STDMETHODIMP load(VARIANT source, VARIANT_BOOL* success) override;
  STDMETHODIMP loadXML(BSTR xml, VARIANT_BOOL* success) override;
  STDMETHODIMP save(VARIANT destination) override;
  STDMETHODIMP setProperty(BSTR name, VARIANT value) override;
  STDMETHODIMP getProperty(BSTR name, VARIANT* value) override;

 private:
  explicit DomDocument(RefPtr<DocumentOwner> owner);
  ~DomDocument() override;
  bool Supports(REFIID iid) const override;

  // Presents the parsed tree, or an empty one after a failure.
  HRESULT Adopt(ParseOutcome outcome, VARIANT_BOOL* success);

  ParseFailure last_failure_;
  VARIANT_BOOL async_ = VARIANT_TRUE;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_DOM_DOCUMENT_H_
