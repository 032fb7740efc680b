// Interface and class identifiers of the XML DOM and XSLT layer.
//
// The values are the well-known ones of the Windows XML services, so that code
// written for Windows finds the same interfaces and classes here.
#ifndef EBANK_PLATFORM_MSXML_MSXML_IDS_H_
#define EBANK_PLATFORM_MSXML_MSXML_IDS_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {
EBANK_EXPORT extern const IID IID_IXMLDOMNode;
EBANK_EXPORT extern const IID IID_IXMLDOMDocument;
EBANK_EXPORT extern const IID IID_IXMLDOMDocument2;
EBANK_EXPORT extern const IID IID_IXMLDOMElement;
EBANK_EXPORT extern const IID IID_IXMLDOMNodeList;
EBANK_EXPORT extern const IID IID_IXMLDOMNamedNodeMap;
EBANK_EXPORT extern const IID IID_IXMLDOMParseError;
EBANK_EXPORT extern const IID IID_IXSLTemplate;
EBANK_EXPORT extern const IID IID_IXSLProcessor;

// "Msxml2.DOMDocument.3.0"
EBANK_EXPORT extern const CLSID CLSID_DOMDocument30;
// "MSXML2.FreeThreadedDOMDocument"
EBANK_EXPORT extern const CLSID CLSID_FreeThreadedDOMDocument;
// "MSXML2.XSLTemplate"
EBANK_EXPORT extern const CLSID CLSID_XSLTemplate;
}

#endif  // EBANK_PLATFORM_MSXML_MSXML_IDS_H_
