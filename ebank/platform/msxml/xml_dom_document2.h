// IXMLDOMDocument2: a document with named parser and selection properties.
#ifndef EBANK_PLATFORM_MSXML_XML_DOM_DOCUMENT2_H_
#define EBANK_PLATFORM_MSXML_XML_DOM_DOCUMENT2_H_

#include "ebank/platform/msxml/xml_dom_document.h"

struct IXMLDOMDocument2 : IXMLDOMDocument {
  // "SelectionLanguage" takes "XPath" (the only selection language here);
  // other names answer E_INVALIDARG.
  STDMETHOD(setProperty)(BSTR name, VARIANT value) = 0;
  STDMETHOD(getProperty)(BSTR name, VARIANT* value) = 0;

  // Raising wrappers.
  void setProperty(const _bstr_t& name, const _variant_t& value);
  _variant_t getProperty(const _bstr_t& name);
};

#endif  // EBANK_PLATFORM_MSXML_XML_DOM_DOCUMENT2_H_
