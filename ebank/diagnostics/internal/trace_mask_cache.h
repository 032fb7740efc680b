// The process-wide cache of the trace mask, readable without a call so that a
// trace switched off by a cached mask of 0 costs one load and one comparison.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_TRACE_MASK_CACHE_H_
#define EBANK_DIAGNOSTICS_INTERNAL_TRACE_MASK_CACHE_H_

#include <atomic>

#include "ebank/platform/types.h"

namespace ebank::diagnostics {

// The value the cache holds while the mask has not been read.
inline constexpr DWORD kTraceMaskUnread = 9999999;

extern std::atomic<DWORD> cached_trace_mask;

// True when a trace with `format` would do nothing because the format is null
// or the mask has been read as 0. An unread mask says false: the writer then
// reads it.
inline bool TraceSwitchedOff(const char* format) {
  return format == nullptr || cached_trace_mask.load(std::memory_order_relaxed) == 0;
}

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_TRACE_MASK_CACHE_H_
