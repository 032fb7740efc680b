#include "ebank/diagnostics/online_banking_handle.h"

#include "ebank/diagnostics/internal/inproc_server_path.h"
#include "ebank/diagnostics/internal/system_message.h"
#include "ebank/diagnostics/trace.h"
#include "ebank/platform/win32/internal/saved_last_error.h"
#include "ebank/platform/win32/last_error.h"
#include "ebank/platform/win32/module.h"

namespace ovEBankHelper {

// The last error that the failed module search leaves is reported in the
// ERROR trace, then the caller's own code is restored.
HINSTANCE g_getOrvOnlineBankingHandle(const char* module_name) {
  const ebank::platform::SavedLastError keep_callers_error;
  if (const HINSTANCE loaded = GetModuleHandleA(module_name)) return loaded;
  char server_path[ebank::diagnostics::kServerPathSize];
  if (!ebank::diagnostics::ResolveInprocServerPath(L"OrvOnlineBanking.OrvOnline", server_path)) {
    return nullptr;
  }
  if (const HINSTANCE loaded = GetModuleHandleA(server_path)) return loaded;
  const ebank::diagnostics::SystemMessage message(GetLastError());
  if (message.text() != nullptr) {
    g_TraceError("Module Handle von OrvOnlineBanking ist NULL ! GetLastError: %s", message.text());
  }
  return nullptr;
}

}  // namespace ovEBankHelper
