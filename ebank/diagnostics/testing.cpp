#include "ebank/diagnostics/testing.h"

#include "ebank/diagnostics/testing_hooks.h"

namespace ebank::diagnostics {

void ResetDiagnosticsForTesting() {
  ResetTraceWriterForTesting();
  ResetContextStackForTesting();
  ResetTraceLevelForTesting();
  ResetDirectoriesForTesting();
  ResetInstallationStateForTesting();
}

}  // namespace ebank::diagnostics
