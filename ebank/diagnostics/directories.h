// The installation and data directories of the application, read once from the
// settings key and kept in the library's own buffers.
#ifndef EBANK_DIAGNOSTICS_DIRECTORIES_H_
#define EBANK_DIAGNOSTICS_DIRECTORIES_H_

#include "ebank/platform/export.h"

namespace ovEBankHelper {

// The installation directory ("ZEB32DIR") without a trailing separator, or an
// empty text when it cannot be read. The buffer belongs to the library: do not
// free or change it.
EBANK_EXPORT char* g_getZEBPath();
// The data directory ("ZEB32DATA") without a trailing separator; the
// installation directory when the key exists but holds no data directory.
EBANK_EXPORT char* g_getZEBDataPath();

}  // namespace ovEBankHelper

#endif  // EBANK_DIAGNOSTICS_DIRECTORIES_H_
