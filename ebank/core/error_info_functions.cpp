#include "ebank/core/error_info_functions.h"

#include "ebank/diagnostics/trace_level.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/debug_output.h"
#include "ebank/platform/win32/wvsprintf.h"

namespace ddCOM {
namespace {

// The platform formatter writes at most 1023 characters and a NUL.
constexpr int kLineSize = 1024;

BSTR TextOf(IErrorInfo* info, HRESULT (STDMETHODCALLTYPE IErrorInfo::*getter)(BSTR*)) {
  BSTR text = nullptr;
  if (FAILED((info->*getter)(&text))) return nullptr;
  return text;
}

}  // namespace

bool SupportsErrorInfo(IUnknown* object, const GUID& iid) {
  if (object == nullptr) return false;
  ISupportErrorInfo* support = nullptr;
  if (FAILED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) ||
      support == nullptr) {
    return false;
  }
  const HRESULT answer = support->InterfaceSupportsErrorInfo(iid);
  support->Release();
  return answer == S_OK;
}

void TraceErrorInfo(IErrorInfo* info) {
  const bool taken_from_thread = info == nullptr;
  if (taken_from_thread && (GetErrorInfo(0, &info) != S_OK || info == nullptr)) return;
  BSTR description = TextOf(info, &IErrorInfo::GetDescription);
  BSTR source = TextOf(info, &IErrorInfo::GetSource);
  char line[kLineSize];
  wsprintfA(line, "ErrorInfo: %ws (%ws)\n", description ? description : L"(null)",
            source ? source : L"(null)");
  // Debugger output is on whenever any trace mask is set.
  if (ovEBankHelper::g_getEBankTraceLevel() != 0) OutputDebugStringA(line);
  SysFreeString(description);
  SysFreeString(source);
  if (taken_from_thread) {
    SetErrorInfo(0, info);
    info->Release();
  }
}

void ClearErrorInfo() {
  SetErrorInfo(0, nullptr);
}

}  // namespace ddCOM
