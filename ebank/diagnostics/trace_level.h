// The trace mask: which severities show message boxes and write trace file
// entries. Read once from the settings key ("TraceLevel") and then cached.
#ifndef EBANK_DIAGNOSTICS_TRACE_LEVEL_H_
#define EBANK_DIAGNOSTICS_TRACE_LEVEL_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ovEBankHelper {

// Bits of the trace mask; INFO follows either bit of each pair.
inline constexpr DWORD kTraceBoxError = 0x1;
inline constexpr DWORD kTraceBoxWarning = 0x2;
inline constexpr DWORD kTraceFileError = 0x4;
inline constexpr DWORD kTraceFileWarning = 0x8;

// The cached mask. While the registry holds no readable mask the answer is 0
// and the registry is asked again at the next call.
EBANK_EXPORT DWORD g_getEBankTraceLevel();

}  // namespace ovEBankHelper

#endif  // EBANK_DIAGNOSTICS_TRACE_LEVEL_H_
