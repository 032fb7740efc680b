#include "ebank/diagnostics/installation.h"

#include <unistd.h>

#include <atomic>
#include <mutex>

#include "ebank/diagnostics/internal/registry_key.h"
#include "ebank/diagnostics/internal/testing_hooks.h"
#include "ebank/diagnostics/trace.h"
#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/win32/internal/saved_last_error.h"

namespace ovEBankHelper {
namespace {

enum State : int { kUnchecked = -1, kNotInstalled = 0, kInstalled = 1 };

std::atomic<int> state{kUnchecked};
std::mutex check_mutex;

// The COM class whose creation shows that the module is usable.
constexpr CLSID kInstallationCheckClass = {
    0xC7FDECA8, 0x8D32, 0x46CA, {0x8B, 0xEF, 0x72, 0xD4, 0xB4, 0xBF, 0x5F, 0x21}};

bool InstallationCheckClassCreatable() {
  IDispatch* instance = nullptr;
  const HRESULT result =
      CoCreateInstance(kInstallationCheckClass, nullptr,
                       CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                       IID_IDispatch, reinterpret_cast<void**>(&instance));
  if (FAILED(result) || instance == nullptr) return false;
  instance->Release();
  return true;
}

State CheckInstallation() {
  const ebank::platform::SavedLastError keep_callers_error;
  const auto key = ebank::diagnostics::RegistryKey::Settings();
  char directory[260];
  const bool installed = key.ReadText("ZEB32DIR", directory, sizeof(directory)) &&
                         access(directory, F_OK) == 0 && InstallationCheckClassCreatable();
  return installed ? kInstalled : kNotInstalled;
}

}  // namespace

bool g_bIsEbankingInstalled() {
  if (const int known = state.load(std::memory_order_acquire); known != kUnchecked) {
    return known == kInstalled;
  }
  // A call made from inside the check (by the class being created) answers
  // "not installed" instead of waiting for itself.
  thread_local bool checking = false;
  if (checking) return false;
  int decided;
  {
    std::lock_guard lock(check_mutex);
    if (const int known = state.load(std::memory_order_acquire); known != kUnchecked) {
      return known == kInstalled;
    }
    checking = true;
    decided = CheckInstallation();
    checking = false;
    state.store(decided, std::memory_order_release);
  }
  g_TraceInfo("g_bIsEbankingInstalled returned: %d", decided);
  return decided == kInstalled;
}

}  // namespace ovEBankHelper

namespace ebank::diagnostics {

#ifdef EBANK_TEST_HOOKS
void ResetInstallationStateForTesting() {
  ovEBankHelper::state.store(ovEBankHelper::kUnchecked);
}
#endif

}  // namespace ebank::diagnostics
