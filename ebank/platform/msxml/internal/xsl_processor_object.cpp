#include "ebank/platform/msxml/internal/xsl_processor_object.h"

#include "ebank/platform/msxml/internal/error_report.h"
#include "ebank/platform/msxml/internal/node_core.h"
#include "ebank/platform/msxml/internal/text_conversion.h"
#include "ebank/platform/oleaut/variant.h"

namespace ebank::platform::msxml {
namespace {

// The node object an input VARIANT refers to (VT_DISPATCH or VT_UNKNOWN).
RefPtr<IXMLDOMNode> InputNode(const VARIANT& input) {
  IUnknown* object = input.vt == VT_DISPATCH  ? input.pdispVal
                     : input.vt == VT_UNKNOWN ? input.punkVal
                                              : nullptr;
  IXMLDOMNode* node = nullptr;
  if (object == nullptr ||
      FAILED(object->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node)))) {
    return {};
  }
  RefPtr<IXMLDOMNode> result = RefPtr<IXMLDOMNode>::Adopt(node);
  if (NodeCore::FromInterface(node) == nullptr) return {};
  return result;
}

}  // namespace

IXSLProcessor* XslProcessorObject::Create(std::shared_ptr<xsltStylesheet> style) {
  return new XslProcessorObject(std::move(style));
}

STDMETHODIMP XslProcessorObject::put_input(VARIANT input) {
  return Guarded([&]() -> HRESULT {
    RefPtr<IXMLDOMNode> node = InputNode(input);
    if (!node) return Fail(E_INVALIDARG, "The input must be a document or node.");
    input_ = std::move(node);
    return S_OK;
  });
}

STDMETHODIMP XslProcessorObject::transform(VARIANT_BOOL* done) {
  return Guarded([&]() -> HRESULT {
    if (done != nullptr) *done = VARIANT_FALSE;
    if (!input_) return Fail(E_UNEXPECTED, "No input has been set.");
    std::string output;
    std::string error;
    HRESULT hr = ApplyStylesheet(style_.get(), NodeCore::FromInterface(input_.get())->node(),
                                 &output, &error);
    if (FAILED(hr)) return Fail(hr, error);
    output_ = std::move(output);
    if (done != nullptr) *done = VARIANT_TRUE;
    return S_OK;
  });
}

STDMETHODIMP XslProcessorObject::get_output(VARIANT* output) {
  return Guarded([&]() -> HRESULT {
    if (output == nullptr) return Fail(E_POINTER, "A result pointer is null.");
    VariantInit(output);
    HRESULT hr = Utf8ToNewBstr(output_, &output->bstrVal);
    if (FAILED(hr)) return Fail(hr, "Not enough memory for the output.");
    output->vt = VT_BSTR;
    return S_OK;
  });
}

STDMETHODIMP XslProcessorObject::reset() {
  output_.clear();
  return S_OK;
}

}  // namespace ebank::platform::msxml
