// GetTempPathA: the directory for temporary files, $TMPDIR or /tmp, always
// ending in '/'.
#ifndef EBANK_PLATFORM_WIN32_TEMP_PATH_H_
#define EBANK_PLATFORM_WIN32_TEMP_PATH_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// Copies the directory into `buffer` and returns its length without the NUL;
// when `size` is too small, writes nothing and returns the size needed
// including the NUL.
EBANK_EXPORT DWORD GetTempPathA(DWORD size, LPSTR buffer);

}  // extern "C"

#endif  // EBANK_PLATFORM_WIN32_TEMP_PATH_H_
