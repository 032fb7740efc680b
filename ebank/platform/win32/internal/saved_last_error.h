// Keeps the calling thread's last-error code across work done on a caller's
// behalf, so that a lookup which fails on its way (a module without a version
// resource, a missing registry value) leaves no code for a later trace entry.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_SAVED_LAST_ERROR_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_SAVED_LAST_ERROR_H_

#include "ebank/platform/types.h"
#include "ebank/platform/win32/last_error.h"

namespace ebank::platform {

// Restores the last-error code it found when it goes out of scope.
class SavedLastError {
 public:
  SavedLastError() : saved_(GetLastError()) {}
  ~SavedLastError() { SetLastError(saved_); }
  SavedLastError(const SavedLastError&) = delete;
  SavedLastError& operator=(const SavedLastError&) = delete;

 private:
  DWORD saved_;
};

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_SAVED_LAST_ERROR_H_
