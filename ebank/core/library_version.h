// The version of the loaded libebank.so, for tools that report what they run on.
#ifndef EBANK_CORE_LIBRARY_VERSION_H_
#define EBANK_CORE_LIBRARY_VERSION_H_

#include "ebank/platform/export.h"

namespace ebank {

// "major.minor.patch" of the library actually loaded, which may differ from the
// EBANK_VERSION_STRING a caller was compiled against.
EBANK_EXPORT const char* LibraryVersion();

}  // namespace ebank

#endif  // EBANK_CORE_LIBRARY_VERSION_H_
