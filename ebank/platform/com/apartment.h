// Per-thread COM initialisation. A thread must initialise COM before it
// creates objects; initialisation is counted per thread and fixes the thread's
// concurrency model until the last CoUninitialize.
#ifndef EBANK_PLATFORM_COM_APARTMENT_H_
#define EBANK_PLATFORM_COM_APARTMENT_H_

#include "ebank/platform/export.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"

inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
inline constexpr DWORD COINIT_DISABLE_OLE1DDE = 0x4;
inline constexpr DWORD COINIT_SPEED_OVER_MEMORY = 0x8;

extern "C" {
// S_OK on the first call of a thread, S_FALSE on later ones with the same
// model, RPC_E_CHANGED_MODE (not counted) when the model differs.
EBANK_EXPORT HRESULT CoInitializeEx(LPVOID reserved, DWORD flags);
// CoInitializeEx with COINIT_APARTMENTTHREADED.
EBANK_EXPORT HRESULT CoInitialize(LPVOID reserved);
// Undoes one successful initialisation of the calling thread.
EBANK_EXPORT void CoUninitialize();
}

namespace ebank::platform {

EBANK_EXPORT bool IsComInitializedOnThisThread();

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_COM_APARTMENT_H_
