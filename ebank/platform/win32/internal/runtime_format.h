// The C runtime's narrow formatter, _vsnprintf and _snprintf: the vsprintf
// rules of the original platform (format_engine.h), with LLP64 integer sizes,
// floating point through the C library, wide text through the ANSI code page,
// and %n refused.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_RUNTIME_FORMAT_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_RUNTIME_FORMAT_H_

#include <cstdarg>
#include <cstddef>

#include "ebank/platform/export.h"

extern "C" {

// Writes at most `count` characters. Returns the length when it fits (a NUL
// follows when there is room for it), or -1 when the text was cut at `count`
// characters, with no NUL written. A null `out` with `count` 0 returns the
// length the text needs.
EBANK_EXPORT int _vsnprintf(char* out, std::size_t count, const char* format, va_list args);
EBANK_EXPORT int _snprintf(char* out, std::size_t count, const char* format, ...);

}  // extern "C"

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_RUNTIME_FORMAT_H_
