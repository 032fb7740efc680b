// XslTemplateObject: the object of the class "MSXML2.XSLTemplate", a compiled
// style sheet from which processors are made.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XSL_TEMPLATE_OBJECT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XSL_TEMPLATE_OBJECT_H_

#include <memory>

#include "ebank/platform/msxml/internal/dispatch_object.h"
#include "ebank/platform/msxml/internal/xslt_engine.h"
#include "ebank/platform/msxml/xsl_template.h"

namespace ebank::platform::msxml {

class XslTemplateObject final : public DispatchObject<IXSLTemplate> {
 public:
  // A new object (one reference) without a style sheet; null without memory.
  static IXSLTemplate* Create();

  STDMETHODIMP putref_stylesheet(IXMLDOMNode* stylesheet) override;
  STDMETHODIMP createProcessor(IXSLProcessor** processor) override;

 private:
  XslTemplateObject() = default;
  bool Supports(REFIID iid) const override { return IsEqualIID(iid, IID_IXSLTemplate); }

  std::shared_ptr<xsltStylesheet> style_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XSL_TEMPLATE_OBJECT_H_
