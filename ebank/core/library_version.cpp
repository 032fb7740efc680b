#include "ebank/core/library_version.h"

#include "ebank/version.h"

namespace ebank {

const char* LibraryVersion() {
  return EBANK_VERSION_STRING;
}

}  // namespace ebank
