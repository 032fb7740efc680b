// The COM task allocator: memory that crosses an interface boundary and is
// freed by the receiver with CoTaskMemFree.
#ifndef EBANK_PLATFORM_COM_TASK_MEMORY_H_
#define EBANK_PLATFORM_COM_TASK_MEMORY_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {
EBANK_EXPORT LPVOID CoTaskMemAlloc(SIZE_T size);
// Accepts null.
EBANK_EXPORT void CoTaskMemFree(LPVOID block);
}

#endif  // EBANK_PLATFORM_COM_TASK_MEMORY_H_
