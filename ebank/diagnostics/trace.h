// The trace log: INFO, WARNING and ERROR traces with printf-style formats,
// switched by the trace mask into message boxes, debugger output and entries of
// the trace file "EBankingTrace.txt" in the data directory.
#ifndef EBANK_DIAGNOSTICS_TRACE_H_
#define EBANK_DIAGNOSTICS_TRACE_H_

#include "ebank/diagnostics/trace_level.h"
#include "ebank/platform/export.h"

namespace ovEBankHelper {

// Each formats `format` with Windows rules (%s narrow, %ls wide, %d, %x; a null
// text prints "(null)"; the message is cut at 1023 characters) and never
// throws or reports a failure. A null format does nothing.
EBANK_EXPORT void g_TraceError(const char* format, ...);
EBANK_EXPORT void g_TraceWarn(const char* format, ...);
EBANK_EXPORT void g_TraceInfo(const char* format, ...);

}  // namespace ovEBankHelper

#endif  // EBANK_DIAGNOSTICS_TRACE_H_
