#include "ebank/platform/com/task_memory.h"

#include <cstdlib>

// A zero-byte request still yields a distinct block, as the COM allocator does.
extern "C" LPVOID CoTaskMemAlloc(SIZE_T size) {
  return std::malloc(size == 0 ? 1 : size);
}

extern "C" void CoTaskMemFree(LPVOID block) {
  std::free(block);
}
