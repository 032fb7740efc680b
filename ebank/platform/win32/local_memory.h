// The Win32 local heap: blocks that FormatMessageA hands to its caller.
//
// Blocks come from malloc; LocalFree releases them and returns null on success.
#ifndef EBANK_PLATFORM_WIN32_LOCAL_MEMORY_H_
#define EBANK_PLATFORM_WIN32_LOCAL_MEMORY_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

inline constexpr UINT LMEM_FIXED = 0x0000;
inline constexpr UINT LMEM_ZEROINIT = 0x0040;
inline constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

extern "C" {

// Allocates `bytes` (at least one byte is reserved for a request of 0);
// LMEM_ZEROINIT clears the block. Null with ERROR_NOT_ENOUGH_MEMORY on failure.
EBANK_EXPORT HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
// Frees a block of LocalAlloc; null is accepted. Returns null.
EBANK_EXPORT HLOCAL LocalFree(HLOCAL block);

}  // extern "C"

#endif  // EBANK_PLATFORM_WIN32_LOCAL_MEMORY_H_
