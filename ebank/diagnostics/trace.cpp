#include "ebank/diagnostics/trace.h"

#include <cstdarg>

#include "ebank/diagnostics/internal/trace_mask_cache.h"
#include "ebank/diagnostics/internal/trace_writer.h"

namespace ovEBankHelper {

using ebank::diagnostics::Severity;
using ebank::diagnostics::TraceSwitchedOff;
using ebank::diagnostics::WriteTrace;

void g_TraceError(const char* format, ...) {
  if (TraceSwitchedOff(format)) return;
  va_list args;
  va_start(args, format);
  WriteTrace(Severity::kError, format, args);
  va_end(args);
}

void g_TraceWarn(const char* format, ...) {
  if (TraceSwitchedOff(format)) return;
  va_list args;
  va_start(args, format);
  WriteTrace(Severity::kWarning, format, args);
  va_end(args);
}

void g_TraceInfo(const char* format, ...) {
  if (TraceSwitchedOff(format)) return;
  va_list args;
  va_start(args, format);
  WriteTrace(Severity::kInfo, format, args);
  va_end(args);
}

}  // namespace ovEBankHelper
