// Test hook of the BSTR allocator: injected allocation failures, so that
// callers' out-of-memory paths can be exercised. Defined only in builds with
// tests, benchmarks or fuzzers.
#ifndef EBANK_PLATFORM_OLEAUT_TESTING_FAIL_BSTR_ALLOCATIONS_FOR_TESTING_H_
#define EBANK_PLATFORM_OLEAUT_TESTING_FAIL_BSTR_ALLOCATIONS_FOR_TESTING_H_

#include "ebank/platform/export.h"

namespace ebank::platform {

// The next `count` BSTR allocations and resizes on the calling thread fail
// and yield null (or FALSE).
EBANK_EXPORT void FailBstrAllocationsForTesting(int count);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_TESTING_FAIL_BSTR_ALLOCATIONS_FOR_TESTING_H_
