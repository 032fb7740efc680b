// The one writer behind the three trace functions: applies the trace mask,
// shows the message box, sends the debugger output and appends file entries.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_TRACE_WRITER_H_
#define EBANK_DIAGNOSTICS_INTERNAL_TRACE_WRITER_H_

#include <cstdarg>

namespace ebank::diagnostics {

enum class Severity { kInfo, kWarning, kError };

// Traces `format` with `args`. Never throws. Whole file entries are written
// under one lock, so entries of different threads never interleave; the mask
// check before it takes no lock.
void WriteTrace(Severity severity, const char* format, va_list args) noexcept;

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_TRACE_WRITER_H_
