#include "ebank/platform/com/apartment.h"

namespace {

// The calling thread's initialisation count and the model it chose.
struct ThreadApartment {
  int count = 0;
  bool apartment_threaded = false;
};
thread_local ThreadApartment t_apartment;

}  // namespace

extern "C" HRESULT CoInitializeEx(LPVOID, DWORD flags) {
  const bool apartment_threaded = (flags & COINIT_APARTMENTTHREADED) != 0;
  if (t_apartment.count > 0) {
    if (t_apartment.apartment_threaded != apartment_threaded) return RPC_E_CHANGED_MODE;
    ++t_apartment.count;
    return S_FALSE;
  }
  t_apartment.apartment_threaded = apartment_threaded;
  t_apartment.count = 1;
  return S_OK;
}

extern "C" HRESULT CoInitialize(LPVOID reserved) {
  return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED);
}

extern "C" void CoUninitialize() {
  if (t_apartment.count > 0) --t_apartment.count;
}

namespace ebank::platform {

bool IsComInitializedOnThisThread() {
  return t_apartment.count > 0;
}

}  // namespace ebank::platform
