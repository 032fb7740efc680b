// C-runtime wide string helpers of Windows: case-insensitive comparison and
// 32-bit integer to and from text.
#ifndef EBANK_PLATFORM_WIN32_WIDE_STRING_H_
#define EBANK_PLATFORM_WIN32_WIDE_STRING_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// Compares after folding each character with towlower in the "C" locale
// extended by Latin-1 (A-Z and U+00C0-U+00DE except U+00D7 fold to lower case;
// nothing else folds). Returns <0, 0 or >0; null sorts before any text.
EBANK_EXPORT int _wcsicmp(const wchar_t* left, const wchar_t* right);
// Leading white space, an optional sign, decimal digits up to the first other
// character; 0 when there are none or `text` is null. Values beyond the 32-bit
// range saturate at LONG's limits.
EBANK_EXPORT LONG _wtol(const wchar_t* text);
// Writes `value` in `radix` (2..36, lower-case digits) with a NUL. Only radix 10
// shows a minus sign; other radixes print the 32-bit two's complement. Needs
// room for 33 characters plus NUL in radix 2. Returns `out`; an invalid radix
// writes the empty text.
EBANK_EXPORT wchar_t* _ltow(LONG value, wchar_t* out, int radix);
EBANK_EXPORT char* _ltoa(LONG value, char* out, int radix);

}  // extern "C"

#endif  // EBANK_PLATFORM_WIN32_WIDE_STRING_H_
