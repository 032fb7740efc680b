// Test hook of the diagnostics: returns every process-wide cache and the trace
// file to the state the library has right after loading. Defined only in
// builds with tests, benchmarks or fuzzers.
#ifndef EBANK_DIAGNOSTICS_TESTING_RESET_DIAGNOSTICS_FOR_TESTING_H_
#define EBANK_DIAGNOSTICS_TESTING_RESET_DIAGNOSTICS_FOR_TESTING_H_

#include "ebank/platform/export.h"

namespace ebank::diagnostics {

// Closes the trace file and forgets the trace mask, the directories, the
// installation state, the line counter, the context stack and the
// first-context flag, so that the next calls read the registry again.
EBANK_EXPORT void ResetDiagnosticsForTesting();

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_TESTING_RESET_DIAGNOSTICS_FOR_TESTING_H_
