#include "ebank/diagnostics/trace_level.h"

#include <atomic>

#include "ebank/diagnostics/registry_key.h"
#include "ebank/diagnostics/testing_hooks.h"

namespace ovEBankHelper {
namespace {

// The value the cache holds while the mask has not been read.
constexpr DWORD kUnread = 9999999;
std::atomic<DWORD> cached_mask{kUnread};

}  // namespace

DWORD g_getEBankTraceLevel() {
  const DWORD cached = cached_mask.load(std::memory_order_relaxed);
  if (cached != kUnread) return cached;
  DWORD mask = 0;
  if (!ebank::diagnostics::RegistryKey::Settings().ReadNumber("TraceLevel", &mask)) return 0;
  cached_mask.store(mask, std::memory_order_relaxed);
  return mask;
}

}  // namespace ovEBankHelper

namespace ebank::diagnostics {

void ResetTraceLevelForTesting() {
  ovEBankHelper::cached_mask.store(ovEBankHelper::kUnread);
}

}  // namespace ebank::diagnostics
