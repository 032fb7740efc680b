#include "ebank/diagnostics/testing/reset_diagnostics_for_testing.h"

#include "ebank/diagnostics/internal/testing_hooks.h"

namespace ebank::diagnostics {

void ResetDiagnosticsForTesting() {
  ResetTraceWriterForTesting();
  ResetContextStackForTesting();
  ResetTraceLevelForTesting();
  ResetDirectoriesForTesting();
  ResetInstallationStateForTesting();
}

}  // namespace ebank::diagnostics
