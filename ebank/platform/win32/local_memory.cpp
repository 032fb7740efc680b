#include "ebank/platform/win32/local_memory.h"

#include <cstdlib>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/last_error.h"

extern "C" {

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
  // Windows hands out a usable block even for 0 bytes.
  const SIZE_T size = bytes == 0 ? 1 : bytes;
  void* block = (flags & LMEM_ZEROINIT) != 0 ? std::calloc(1, size) : std::malloc(size);
  if (block == nullptr) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL LocalFree(HLOCAL block) {
  std::free(block);
  return nullptr;
}

}  // extern "C"
