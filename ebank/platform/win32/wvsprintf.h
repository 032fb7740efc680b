// The Windows narrow formatter: wvsprintfA and wsprintfA.
//
// Conversions: %s (narrow text), %ws %S %ls (wide text, narrowed through the
// ANSI code page), %d %i %u %x %X, %p (all digits of the pointer, in upper
// case), %c (%wc %lc %C: a wide character), with the flags - 0 #, a width, a
// precision and the prefixes h (16 bits), l and I32 (32 bits), I64 (64 bits)
// and I (pointer-sized). No floating point. A null text prints "(null)"; an
// unknown conversion prints its letter and takes no argument. The output holds
// at most 1023 characters and a NUL, so `out` must have room for 1024 bytes.
#ifndef EBANK_PLATFORM_WIN32_WVSPRINTF_H_
#define EBANK_PLATFORM_WIN32_WVSPRINTF_H_

#include <cstdarg>

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// Returns the number of characters written, without the NUL (0 for a null
// `out` or `format`).
EBANK_EXPORT int wvsprintfA(LPSTR out, LPCSTR format, va_list args);
EBANK_EXPORT int wsprintfA(LPSTR out, LPCSTR format, ...);

}  // extern "C"

#endif  // EBANK_PLATFORM_WIN32_WVSPRINTF_H_
