// Test hooks of the registry: a store loaded from text instead of the file.
// Defined only in builds with tests, benchmarks or fuzzers.
#ifndef EBANK_PLATFORM_WIN32_TESTING_REGISTRY_FOR_TESTING_H_
#define EBANK_PLATFORM_WIN32_TESTING_REGISTRY_FOR_TESTING_H_

#include <string_view>

#include "ebank/platform/export.h"

namespace ebank::platform {

// Replaces the store by one parsed from `reg_text` (instead of the file).
EBANK_EXPORT void LoadRegistryForTesting(std::string_view reg_text);
// Drops the store, so that the next use reads $EBANK_REGISTRY again.
EBANK_EXPORT void ResetRegistryForTesting();

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_TESTING_REGISTRY_FOR_TESTING_H_
