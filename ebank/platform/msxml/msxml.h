// The XML DOM and XSLT layer for callers: every interface, its smart pointer
// (IXMLDOMDocumentPtr, IXMLDOMNodePtr, ...) and the raising wrappers.
//
// The document classes "Msxml2.DOMDocument.3.0", "MSXML2.FreeThreadedDOMDocument"
// and "MSXML2.XSLTemplate" are created with CoCreateInstance (by CLSID or by
// ProgID through CLSIDFromProgID) on a thread that initialised COM.
#ifndef EBANK_PLATFORM_MSXML_MSXML_H_
#define EBANK_PLATFORM_MSXML_MSXML_H_

#include "ebank/platform/msxml/msxml_ids.h"
#include "ebank/platform/msxml/msxml_wrappers.h"

#endif  // EBANK_PLATFORM_MSXML_MSXML_H_
