// FormatMessageA: system message texts and message-string formatting.
//
// FORMAT_MESSAGE_FROM_SYSTEM knows the English texts of the common Win32 codes
// and HRESULTs (system_messages.txt), each ending in "\r\n"; FACILITY_WIN32
// HRESULTs find their Win32 code's text. FORMAT_MESSAGE_FROM_STRING formats `source`
// with the %1..%99 inserts of message texts.
#ifndef EBANK_PLATFORM_WIN32_FORMAT_MESSAGE_H_
#define EBANK_PLATFORM_WIN32_FORMAT_MESSAGE_H_

#include <cstdarg>

#include "ebank/platform/export.h"
#include "ebank/platform/language_id.h"
#include "ebank/platform/types.h"
#include "ebank/platform/win32/local_memory.h"

inline constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x00000100;
inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_STRING = 0x00000400;
inline constexpr DWORD FORMAT_MESSAGE_FROM_HMODULE = 0x00000800;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
inline constexpr DWORD FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x00002000;
inline constexpr DWORD FORMAT_MESSAGE_MAX_WIDTH_MASK = 0x000000FF;

extern "C" {

// Writes the message text into `buffer` (`size` characters including the NUL)
// or, with FORMAT_MESSAGE_ALLOCATE_BUFFER, into a LocalAlloc'd block whose
// address is stored at *(char**)buffer. Returns the length without the NUL,
// or 0 with the last error set (ERROR_MR_MID_NOT_FOUND for an unknown code,
// ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_PARAMETER).
EBANK_EXPORT DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD message_id, DWORD language_id,
                                  LPSTR buffer, DWORD size, va_list* arguments);

}  // extern "C"

#endif  // EBANK_PLATFORM_WIN32_FORMAT_MESSAGE_H_
