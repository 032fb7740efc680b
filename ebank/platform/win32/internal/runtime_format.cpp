#include "ebank/platform/win32/internal/runtime_format.h"

#include "ebank/platform/win32/internal/format_engine.h"

extern "C" {

int _vsnprintf(char* out, std::size_t count, const char* format, va_list args) {
  return ebank::platform::FormatRuntimeText(out, count, format, args);
}

int _snprintf(char* out, std::size_t count, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = _vsnprintf(out, count, format, args);
  va_end(args);
  return length;
}

}  // extern "C"
