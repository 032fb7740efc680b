#include "ebank/platform/msxml/error_report.h"

#include <string>

#include "ebank/platform/com/error_info.h"
#include "ebank/platform/msxml/text_conversion.h"

namespace ebank::platform::msxml {

HRESULT Fail(HRESULT hr, std::string_view description) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create))) return hr;
  std::wstring text = Utf8ToWide(description);
  std::wstring source = L"ebank XML";
  create->SetDescription(text.data());
  create->SetSource(source.data());
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
  return hr;
}

}  // namespace ebank::platform::msxml
