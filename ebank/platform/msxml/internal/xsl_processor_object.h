// XslProcessorObject: one processor of a compiled style sheet: an input node,
// a transformation, and its output text.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_XSL_PROCESSOR_OBJECT_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_XSL_PROCESSOR_OBJECT_H_

#include <memory>
#include <string>

#include "ebank/platform/msxml/internal/dispatch_object.h"
#include "ebank/platform/msxml/internal/ref_ptr.h"
#include "ebank/platform/msxml/internal/xslt_engine.h"
#include "ebank/platform/msxml/xml_dom_node.h"
#include "ebank/platform/msxml/xsl_processor.h"

namespace ebank::platform::msxml {

class XslProcessorObject final : public DispatchObject<IXSLProcessor> {
 public:
  // A new processor (one reference) sharing the compiled `style`.
  static IXSLProcessor* Create(std::shared_ptr<xsltStylesheet> style);

  STDMETHODIMP put_input(VARIANT input) override;
  STDMETHODIMP transform(VARIANT_BOOL* done) override;
  STDMETHODIMP get_output(VARIANT* output) override;
  STDMETHODIMP reset() override;

 private:
  explicit XslProcessorObject(std::shared_ptr<xsltStylesheet> style) : style_(std::move(style)) {}
  bool Supports(REFIID iid) const override { return IsEqualIID(iid, IID_IXSLProcessor); }

  std::shared_ptr<xsltStylesheet> style_;
  RefPtr<IXMLDOMNode> input_;
  std::string output_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_XSL_PROCESSOR_OBJECT_H_
