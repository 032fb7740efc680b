// Whether the online-banking module is installed and usable on this machine:
// its directory exists and its installation-check COM class can be created.
#ifndef EBANK_DIAGNOSTICS_INSTALLATION_H_
#define EBANK_DIAGNOSTICS_INSTALLATION_H_

#include "ebank/platform/export.h"

namespace ovEBankHelper {

// Decided by the first call of the process, which traces the answer as INFO;
// later calls return the stored answer. COM must be initialised on the thread
// (a creation that fails for lack of it counts as not installed).
EBANK_EXPORT bool g_bIsEbankingInstalled();

}  // namespace ovEBankHelper

#endif  // EBANK_DIAGNOSTICS_INSTALLATION_H_
