// Resets of the process-wide diagnostics state, one per file that keeps some,
// gathered by ResetDiagnosticsForTesting. Like it, they are compiled only in
// builds with test hooks (EBANK_TEST_HOOKS).
#ifndef EBANK_DIAGNOSTICS_INTERNAL_TESTING_HOOKS_H_
#define EBANK_DIAGNOSTICS_INTERNAL_TESTING_HOOKS_H_

namespace ebank::diagnostics {

void ResetDirectoriesForTesting();
void ResetInstallationStateForTesting();
void ResetTraceLevelForTesting();
void ResetTraceWriterForTesting();
void ResetContextStackForTesting();

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_TESTING_HOOKS_H_
