// DomParseError: a snapshot of how the last load or parse of a document ended.
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_DOM_PARSE_ERROR_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_DOM_PARSE_ERROR_H_

#include "ebank/platform/msxml/internal/dispatch_object.h"
#include "ebank/platform/msxml/internal/xml_parser.h"
#include "ebank/platform/msxml/xml_dom_parse_error.h"

namespace ebank::platform::msxml {

class DomParseError final : public DispatchObject<IXMLDOMParseError> {
 public:
  // A new object (one reference); a default failure describes success.
  static IXMLDOMParseError* Create(const ParseFailure& failure);

  STDMETHODIMP get_errorCode(LONG* code) override;
  STDMETHODIMP get_url(BSTR* url) override;
  STDMETHODIMP get_reason(BSTR* reason) override;
  STDMETHODIMP get_srcText(BSTR* text) override;
  STDMETHODIMP get_line(LONG* line) override;
  STDMETHODIMP get_linepos(LONG* position) override;
  STDMETHODIMP get_filepos(LONG* position) override;

 private:
  explicit DomParseError(const ParseFailure& failure) : failure_(failure) {}
  bool Supports(REFIID iid) const override { return IsEqualIID(iid, IID_IXMLDOMParseError); }

  const ParseFailure failure_;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_DOM_PARSE_ERROR_H_
