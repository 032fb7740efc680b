#include "ebank/diagnostics/internal/own_module.h"

#include <atomic>

#include "ebank/platform/win32/module.h"

namespace ebank::diagnostics {
namespace {

std::atomic<HINSTANCE> own_module{nullptr};

// Runs when the library is loaded into a process; a later run (there is none
// for one load) would keep the first handle.
__attribute__((constructor)) void RecordOwnModule() {
  HINSTANCE expected = nullptr;
  own_module.compare_exchange_strong(
      expected, platform::ModuleFromAddress(reinterpret_cast<const void*>(&RecordOwnModule)));
}

}  // namespace

HINSTANCE OwnModuleHandle() {
  return own_module.load(std::memory_order_acquire);
}

}  // namespace ebank::diagnostics
