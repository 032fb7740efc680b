// Wide formatters with the Windows wide-format rules: in a wide format %s and
// %c take wide arguments, %S %hs %C %hc narrow ones (widened through the ANSI
// code page). wvsprintfW has the rules of wvsprintfA; _vsnwprintf those of the
// C runtime (format_engine.h), as _vsnprintf has for narrow text.
#ifndef EBANK_PLATFORM_WIN32_WIDE_FORMAT_H_
#define EBANK_PLATFORM_WIN32_WIDE_FORMAT_H_

#include <cstdarg>
#include <cstddef>

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// At most 1023 characters and a NUL; returns the count without the NUL.
EBANK_EXPORT int wvsprintfW(LPWSTR out, LPCWSTR format, va_list args);
EBANK_EXPORT int wsprintfW(LPWSTR out, LPCWSTR format, ...);

// Writes at most `count` characters. Returns the length when it fits (a NUL
// follows when there is room for it), or -1 when the text was cut at `count`
// characters, with no NUL written.
EBANK_EXPORT int _vsnwprintf(wchar_t* out, std::size_t count, const wchar_t* format, va_list args);
EBANK_EXPORT int _snwprintf(wchar_t* out, std::size_t count, const wchar_t* format, ...);

}  // extern "C"

#endif  // EBANK_PLATFORM_WIN32_WIDE_FORMAT_H_
