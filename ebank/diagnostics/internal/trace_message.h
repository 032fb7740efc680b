// The message of one trace call: the caller's format and arguments by the C
// runtime's printf rules, cut to the message buffer of the trace writer.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_TRACE_MESSAGE_H_
#define EBANK_DIAGNOSTICS_INTERNAL_TRACE_MESSAGE_H_

#include <cstdarg>
#include <cstddef>

namespace ebank::diagnostics {

// The message buffer; a message keeps at most kTraceMessageSize - 2
// characters, so that the writer's line feed and the NUL still fit.
inline constexpr std::size_t kTraceMessageSize = 2048;

// Formats `format` with `args` into `message` and returns the length of the
// text, which ends at its first NUL (a %c of 0 ends the message, as the C
// string it is). `message[length]` is the NUL.
std::size_t FormatTraceMessage(char (&message)[kTraceMessageSize], const char* format,
                               va_list args);

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_TRACE_MESSAGE_H_
