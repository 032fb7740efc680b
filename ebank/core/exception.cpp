#include "ebank/core/exception.h"

#include "ebank/core/internal/ansi_bstr.h"
#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/task_memory.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/format_message.h"

namespace ddCOM {

Exception::~Exception() = default;

wchar_t* Exception::Description() const {
  char* message = nullptr;
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                      nullptr, static_cast<DWORD>(hresult_), 0,
                                      reinterpret_cast<LPSTR>(&message), 0, nullptr);
  if (length == 0 || message == nullptr) return nullptr;
  BSTR description = internal::BstrFromAnsi(message);
  LocalFree(message);
  return description;
}

LONG Exception::Propagate(const GUID& clsid) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create)) || create == nullptr) return hresult_;
  if (BSTR description = Description()) {
    create->SetDescription(description);
    SysFreeString(description);
  }
  LPOLESTR prog_id = nullptr;
  if (SUCCEEDED(ProgIDFromCLSID(clsid, &prog_id)) && prog_id != nullptr) {
    create->SetSource(prog_id);
    CoTaskMemFree(prog_id);
  }
  IErrorInfo* info = nullptr;
  create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
  create->Release();
  if (info != nullptr) {
    SetErrorInfo(0, info);
    info->Release();
  }
  return hresult_;
}

}  // namespace ddCOM
