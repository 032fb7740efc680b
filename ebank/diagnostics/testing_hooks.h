// Resets of the process-wide diagnostics state, one per file that keeps some,
// gathered by ResetDiagnosticsForTesting.
#ifndef EBANK_DIAGNOSTICS_TESTING_HOOKS_H_
#define EBANK_DIAGNOSTICS_TESTING_HOOKS_H_

namespace ebank::diagnostics {

void ResetDirectoriesForTesting();
void ResetInstallationStateForTesting();
void ResetTraceLevelForTesting();
void ResetTraceWriterForTesting();
void ResetContextStackForTesting();

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_TESTING_HOOKS_H_
