#include "ebank/core/catch.h"

#include <exception>
#include <new>
#include <string>

#include "ebank/core/exception.h"
#include "ebank/diagnostics/trace.h"
#include "ebank/platform/com/com_error.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/code_page.h"

namespace ddCOM {
namespace {

using TraceFunction = void (*)(const char* format, ...);

// Traces `format` with the HRESULT and `description` in the ANSI code page
// (null when there is none or it cannot be converted), then frees it.
void TraceDescribed(TraceFunction trace, const char* format, HRESULT hresult, BSTR description) {
  std::string narrow;
  bool converted = false;
  if (description != nullptr) {
    try {
      const int size =
          WideCharToMultiByte(CP_ACP, 0, description, -1, nullptr, 0, nullptr, nullptr);
      if (size > 0) {
        narrow.resize(size);
        converted = WideCharToMultiByte(CP_ACP, 0, description, -1, narrow.data(), size, nullptr,
                                        nullptr) == size;
      }
    } catch (const std::bad_alloc&) {
      converted = false;
    }
    SysFreeString(description);
  }
  trace(format, hresult, converted ? narrow.c_str() : nullptr);
}

BSTR ErrorObjectDescription(const _com_error& error) {
  IErrorInfo* info = error.ErrorInfo();
  if (info == nullptr) return nullptr;
  BSTR description = nullptr;
  if (FAILED(info->GetDescription(&description))) description = nullptr;
  info->Release();
  return description;
}

}  // namespace

LONG Catch(const GUID&) {
  try {
    if (std::current_exception() != nullptr) throw;
  } catch (const Exception& exception) {
    TraceDescribed(&ovEBankHelper::g_TraceWarn, "ddCOM::Exception 0x%x: %s", exception.HResult(),
                   exception.Description());
    return E_FAIL;
  } catch (const std::exception& exception) {
    if (const char* what = exception.what()) {
      ovEBankHelper::g_TraceError("STL Exception (E_FAIL): %s", what);
    } else {
      ovEBankHelper::g_TraceError("STL Exception (E_FAIL)");
    }
    return E_FAIL;
  } catch (const _com_error& error) {
    TraceDescribed(&ovEBankHelper::g_TraceError, "COM Exception 0x%x: %s", error.Error(),
                   ErrorObjectDescription(error));
    return E_FAIL;
  } catch (...) {
  }
  ovEBankHelper::g_TraceError("Unknown Exception (E_UNEXPECTED)");
  return E_UNEXPECTED;
}

}  // namespace ddCOM
