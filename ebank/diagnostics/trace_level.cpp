#include "ebank/diagnostics/trace_level.h"

#include "ebank/diagnostics/internal/registry_key.h"
#include "ebank/diagnostics/internal/testing_hooks.h"
#include "ebank/diagnostics/internal/trace_mask_cache.h"
#include "ebank/platform/win32/internal/saved_last_error.h"

namespace ebank::diagnostics {

std::atomic<DWORD> cached_trace_mask{kTraceMaskUnread};

#ifdef EBANK_TEST_HOOKS
void ResetTraceLevelForTesting() {
  cached_trace_mask.store(kTraceMaskUnread);
}
#endif

}  // namespace ebank::diagnostics

namespace ovEBankHelper {

using ebank::diagnostics::cached_trace_mask;
using ebank::diagnostics::kTraceMaskUnread;

DWORD g_getEBankTraceLevel() {
  const DWORD cached = cached_trace_mask.load(std::memory_order_relaxed);
  if (cached != kTraceMaskUnread) return cached;
  const ebank::platform::SavedLastError keep_callers_error;
  DWORD mask = 0;
  if (!ebank::diagnostics::RegistryKey::Settings().ReadNumber("TraceLevel", &mask)) return 0;
  cached_trace_mask.store(mask, std::memory_order_relaxed);
  return mask;
}

}  // namespace ovEBankHelper
