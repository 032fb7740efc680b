#include "ebank/platform/msxml/internal/dom_parse_error.h"

#include "ebank/platform/msxml/internal/error_report.h"
#include "ebank/platform/msxml/internal/text_conversion.h"

namespace ebank::platform::msxml {
namespace {

HRESULT ReturnNumber(LONG number, LONG* out) {
  if (out == nullptr) return Fail(E_POINTER, "A result pointer is null.");
  *out = number;
  return S_OK;
}

HRESULT ReturnText(const std::string& text, BSTR* out) {
  return Guarded([&] {
    if (out == nullptr) return Fail(E_POINTER, "A result pointer is null.");
    HRESULT hr = Utf8ToNewBstr(text, out);
    return SUCCEEDED(hr) ? hr : Fail(hr, "Not enough memory for the text.");
  });
}

}  // namespace

IXMLDOMParseError* DomParseError::Create(const ParseFailure& failure) {
  return new DomParseError(failure);
}

STDMETHODIMP DomParseError::get_errorCode(LONG* code) {
  return ReturnNumber(failure_.code, code);
}
STDMETHODIMP DomParseError::get_url(BSTR* url) {
  return ReturnText(failure_.url, url);
}
STDMETHODIMP DomParseError::get_reason(BSTR* reason) {
  return ReturnText(failure_.reason, reason);
}
STDMETHODIMP DomParseError::get_srcText(BSTR* text) {
  return ReturnText(failure_.source_line, text);
}
STDMETHODIMP DomParseError::get_line(LONG* line) {
  return ReturnNumber(failure_.line, line);
}
STDMETHODIMP DomParseError::get_linepos(LONG* position) {
  return ReturnNumber(failure_.column, position);
}
STDMETHODIMP DomParseError::get_filepos(LONG* position) {
  return ReturnNumber(failure_.offset, position);
}

}  // namespace ebank::platform::msxml
