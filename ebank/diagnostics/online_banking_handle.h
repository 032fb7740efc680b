// Finds the online-banking server module among the modules the process has
// already loaded.
#ifndef EBANK_DIAGNOSTICS_ONLINE_BANKING_HANDLE_H_
#define EBANK_DIAGNOSTICS_ONLINE_BANKING_HANDLE_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ovEBankHelper {

// The handle of the loaded module `module_name`, else of the loaded module
// registered as the server of "OrvOnlineBanking.OrvOnline"; null (with an
// ERROR trace) when neither is loaded. Never loads a module.
EBANK_EXPORT HINSTANCE g_getOrvOnlineBankingHandle(const char* module_name);

}  // namespace ovEBankHelper

#endif  // EBANK_DIAGNOSTICS_ONLINE_BANKING_HANDLE_H_
