#include "ebank/platform/com/internal/failure_report.h"

#include <climits>
#include <string>

#include "ebank/platform/com/error_info.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/code_page.h"

namespace ebank::platform {
namespace {

// UTF-8 to wide text; invalid bytes become U+FFFD.
std::wstring Widen(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  const int written = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), length);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

}  // namespace

HRESULT ReportFailure(HRESULT hr, std::string_view description, std::string_view source) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create)) || create == nullptr) return hr;
  std::wstring text = Widen(description);
  create->SetDescription(text.data());
  if (!source.empty()) {
    std::wstring wide_source = Widen(source);
    create->SetSource(wide_source.data());
  }
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
  return hr;
}

}  // namespace ebank::platform
