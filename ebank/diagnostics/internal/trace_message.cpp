#include "ebank/diagnostics/internal/trace_message.h"

#include <cstring>

#include "ebank/platform/win32/internal/runtime_format.h"

namespace ebank::diagnostics {

std::size_t FormatTraceMessage(char (&message)[kTraceMessageSize], const char* format,
                               va_list args) {
  constexpr std::size_t kMaxLength = kTraceMessageSize - 2;
  const int formatted = _vsnprintf(message, kMaxLength, format, args);
  const std::size_t kept = formatted < 0 ? kMaxLength : static_cast<std::size_t>(formatted);
  const std::size_t length = strnlen(message, kept);
  message[length] = '\0';
  return length;
}

}  // namespace ebank::diagnostics
