// IXSLTemplate: a compiled XSLT 1.0 style sheet that makes processors.
#ifndef EBANK_PLATFORM_MSXML_XSL_TEMPLATE_H_
#define EBANK_PLATFORM_MSXML_XSL_TEMPLATE_H_

#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/msxml/msxml_forward.h"

struct IXSLTemplate : IDispatch {
  // Compiles the style sheet held by `stylesheet` (a document or its element);
  // E_FAIL when it is not a valid style sheet.
  STDMETHOD(putref_stylesheet)(IXMLDOMNode* stylesheet) = 0;
  // E_UNEXPECTED before a style sheet was set.
  STDMETHOD(createProcessor)(IXSLProcessor** processor) = 0;

  // Raising wrappers.
  void PutRefstylesheet(IXMLDOMNode* stylesheet);
  IXSLProcessorPtr createProcessor();
};

#endif  // EBANK_PLATFORM_MSXML_XSL_TEMPLATE_H_
