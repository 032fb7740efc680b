// XSL transformation of a CXmlClass document with style sheets taken from
// module resources.
#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/variant.h"
#include "ebank/platform/win32/resource.h"
#include "ebank/xml/internal/locale_text.h"
#include "ebank/xml/internal/narrowed_text.h"
#include "ebank/xml/xml_class.h"

namespace ddXML {
namespace {

constexpr wchar_t kTemplateProgId[] = L"MSXML2.XSLTemplate";
constexpr wchar_t kStyleSheetProgId[] = L"MSXML2.FreeThreadedDOMDocument";

// The "XSL" resource `id` of `module`, one character per byte (an ISO 8859-1
// reading); empty when the module has no such resource.
std::wstring LoadStyleSheet(int id, HINSTANCE module) {
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), "XSL");
  if (resource == nullptr) return {};
  HGLOBAL data = LoadResource(module, resource);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(data));
  const DWORD size = bytes == nullptr ? 0 : SizeofResource(module, resource);
  std::wstring text(bytes, bytes + size);
  FreeResource(data);
  return text;
}

}  // namespace

CXmlClass::BString CXmlClass::transform(int id, HINSTANCE module) {
  const std::wstring styleSheet = LoadStyleSheet(id, module);
  // _bstr_t keeps the full length, so a NUL byte in the resource is parsed
  // (and rejected) rather than cutting the style sheet short.
  const _bstr_t styleSheetText(SysAllocStringLen(styleSheet.data(), styleSheet.size()), false);

  IXSLTemplatePtr xslTemplate(kTemplateProgId, nullptr, internal::kClassContext);
  if (xslTemplate == nullptr) {
    IXMLDOMDocumentPtr document = _createNewDocument();
    document->loadXML(styleSheetText);
    return internal::NarrowedText(m_doc->transformNode(document));
  }

  IXMLDOMDocumentPtr document(kStyleSheetProgId, nullptr, internal::kClassContext);
  document->Putasync(VARIANT_FALSE);
  document->loadXML(styleSheetText);
  _checkOfError(document->GetparseError());
  xslTemplate->PutRefstylesheet(document);
  IXSLProcessorPtr processor = xslTemplate->createProcessor();
  const HRESULT reset = processor->reset();
  if (reset < 0) _com_issue_errorex(reset, processor, IID_IXSLProcessor);
  if (m_doc == nullptr) _com_issue_error(E_POINTER);
  processor->Putinput(_variant_t(static_cast<IDispatch*>(m_doc.GetInterfacePtr())));
  processor->transform();
  _variant_t output = processor->Getoutput();
  VARIANT& raw = output;
  const HRESULT changed = VariantChangeType(&raw, &raw, 0, VT_BSTR);
  if (changed < 0) _com_issue_error(changed);
  return internal::NarrowedText(_bstr_t(raw.bstrVal, true));
}

void CXmlClass::transformMe(int id, HINSTANCE module) {
  const BString output = transform(id, module);
  loadXML(output.IsNothing() ? nullptr : output.ByVal());
}

}  // namespace ddXML
