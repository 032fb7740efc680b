#include "ebank/platform/msxml/internal/xsl_template_object.h"

#include <new>
#include <string>

#include "ebank/platform/msxml/internal/error_report.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/xsl_processor_object.h"

namespace ebank::platform::msxml {

IXSLTemplate* XslTemplateObject::Create() {
  return new (std::nothrow) XslTemplateObject;
}

STDMETHODIMP XslTemplateObject::putref_stylesheet(IXMLDOMNode* stylesheet) {
  return Guarded([&]() -> HRESULT {
    NodeCore* core = stylesheet != nullptr ? NodeCore::FromInterface(stylesheet) : nullptr;
    if (core == nullptr) return Fail(E_INVALIDARG, "The style sheet is missing.");
    std::string error;
    std::shared_ptr<xsltStylesheet> compiled;
    HRESULT hr = CompileStylesheet(core->node(), &compiled, &error);
    if (FAILED(hr)) return Fail(hr, error);
    style_ = std::move(compiled);
    return S_OK;
  });
}

STDMETHODIMP XslTemplateObject::createProcessor(IXSLProcessor** processor) {
  return Guarded([&]() -> HRESULT {
    if (processor == nullptr) return Fail(E_POINTER, "A result pointer is null.");
    *processor = nullptr;
    if (!style_) return Fail(E_UNEXPECTED, "No style sheet has been set.");
    *processor = XslProcessorObject::Create(style_);
    return S_OK;
  });
}

}  // namespace ebank::platform::msxml
