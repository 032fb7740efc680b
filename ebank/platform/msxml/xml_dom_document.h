// IXMLDOMDocument: a whole XML document, the factory of its nodes, and the
// parser and writer of its text.
//
// Parsing is synchronous and never reads the network, external entities or
// DTDs. A failed parse leaves a document without a document element and fills
// the parse-error object; load and loadXML then answer S_FALSE and
// VARIANT_FALSE.
#ifndef EBANK_PLATFORM_MSXML_XML_DOM_DOCUMENT_H_
#define EBANK_PLATFORM_MSXML_XML_DOM_DOCUMENT_H_

#include "ebank/platform/msxml/xml_dom_node.h"

struct IXMLDOMDocument : IXMLDOMNode {
  // Null (S_FALSE) when the document has no document element.
  STDMETHOD(get_documentElement)(IXMLDOMElement** element) = 0;
  // Makes `element` (from any document) the document element, replacing the
  // current one.
  STDMETHOD(putref_documentElement)(IXMLDOMElement* element) = 0;
  // A new element of this document with no parent. E_FAIL for a name that is
  // not an XML name.
  STDMETHOD(createElement)(BSTR name, IXMLDOMElement** element) = 0;
  // A new text node of this document holding `text` literally.
  STDMETHOD(createTextNode)(BSTR text, IXMLDOMNode** node) = 0;
  STDMETHOD(get_parseError)(IXMLDOMParseError** error) = 0;
  // Loading is always synchronous; these settings are accepted and kept for
  // callers that set them, but only false is honoured for all three.
  STDMETHOD(get_async)(VARIANT_BOOL* async) = 0;
  STDMETHOD(put_async)(VARIANT_BOOL async) = 0;
  STDMETHOD(put_validateOnParse)(VARIANT_BOOL validate) = 0;
  STDMETHOD(put_resolveExternals)(VARIANT_BOOL resolve) = 0;
  // False (the default): loading drops text nodes of nothing but white space
  // outside xml:space="preserve" scopes, and `text` drops white space at the
  // ends of ordinary text. True keeps all white space. Kept across loads.
  STDMETHOD(get_preserveWhiteSpace)(VARIANT_BOOL* preserve) = 0;
  STDMETHOD(put_preserveWhiteSpace)(VARIANT_BOOL preserve) = 0;
  // Parses the file named by `source` (a VT_BSTR path).
  STDMETHOD(load)(VARIANT source, VARIANT_BOOL* success) = 0;
  // Parses `xml`.
  STDMETHOD(loadXML)(BSTR xml, VARIANT_BOOL* success) = 0;
  // Writes the document as UTF-8 to the file named by `destination` (VT_BSTR).
  STDMETHOD(save)(VARIANT destination) = 0;

  // Raising wrappers.
  IXMLDOMElementPtr GetdocumentElement();
  void PutRefdocumentElement(IXMLDOMElement* element);
  IXMLDOMElementPtr createElement(const _bstr_t& name);
  IXMLDOMNodePtr createTextNode(const _bstr_t& text);
  IXMLDOMParseErrorPtr GetparseError();
  VARIANT_BOOL Getasync();
  void Putasync(VARIANT_BOOL async);
  void PutvalidateOnParse(VARIANT_BOOL validate);
  void PutresolveExternals(VARIANT_BOOL resolve);
  VARIANT_BOOL GetpreserveWhiteSpace();
  void PutpreserveWhiteSpace(VARIANT_BOOL preserve);
  VARIANT_BOOL load(const _variant_t& source);
  VARIANT_BOOL loadXML(const _bstr_t& xml);
  void save(const _variant_t& destination);
};

#endif  // EBANK_PLATFORM_MSXML_XML_DOM_DOCUMENT_H_
