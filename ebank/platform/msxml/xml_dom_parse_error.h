// IXMLDOMParseError: why the last load or parse of a document failed.
//
// After a successful parse errorCode is 0 and the texts are empty; after a
// failure errorCode is negative and line and linepos (1-based) locate it.
#ifndef EBANK_PLATFORM_MSXML_XML_DOM_PARSE_ERROR_H_
#define EBANK_PLATFORM_MSXML_XML_DOM_PARSE_ERROR_H_

#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/msxml/msxml_forward.h"

struct IXMLDOMParseError : IDispatch {
  STDMETHOD(get_errorCode)(LONG* code) = 0;
  // The file or address that was loaded; empty for text.
  STDMETHOD(get_url)(BSTR* url) = 0;
  STDMETHOD(get_reason)(BSTR* reason) = 0;
  // The source line on which the error was found.
  STDMETHOD(get_srcText)(BSTR* text) = 0;
  STDMETHOD(get_line)(LONG* line) = 0;
  STDMETHOD(get_linepos)(LONG* position) = 0;
  // Character offset of the error from the start of the input.
  STDMETHOD(get_filepos)(LONG* position) = 0;

  // Raising wrappers.
  LONG GeterrorCode();
  _bstr_t Geturl();
  _bstr_t Getreason();
  _bstr_t GetsrcText();
  LONG Getline();
  LONG Getlinepos();
  LONG Getfilepos();
};

#endif  // EBANK_PLATFORM_MSXML_XML_DOM_PARSE_ERROR_H_
