#include "ebank/diagnostics/internal/bounded_line.h"

#include <algorithm>
#include <cstdarg>

namespace ebank::diagnostics {

void WriteBoundedLine(std::FILE* stream, std::size_t size, const char* format, ...) {
  char line[kMaxLineSize];
  size = std::clamp<std::size_t>(size, 2, sizeof(line));
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(line, size, format, args);
  va_end(args);
  if (length < 0) return;
  if (static_cast<std::size_t>(length) >= size) line[size - 2] = '\n';
  std::fputs(line, stream);
}

}  // namespace ebank::diagnostics
