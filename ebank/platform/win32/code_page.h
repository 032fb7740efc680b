// Conversions between narrow text in a Windows code page and wide text.
//
// The ANSI code page is Windows-1252 unless the environment variable EBANK_ACP
// names another supported one (1252, 28591 = Latin-1, 65001 = UTF-8). Wide
// characters the code page lacks become '?'; there is no best-fit mapping.
#ifndef EBANK_PLATFORM_WIN32_CODE_PAGE_H_
#define EBANK_PLATFORM_WIN32_CODE_PAGE_H_

#include <string>
#include <string_view>

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_THREAD_ACP = 3;
inline constexpr UINT CP_WINDOWS_1252 = 1252;
inline constexpr UINT CP_LATIN_1 = 28591;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_PRECOMPOSED = 0x01;
inline constexpr DWORD MB_COMPOSITE = 0x02;
inline constexpr DWORD MB_USEGLYPHCHARS = 0x04;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;

inline constexpr DWORD WC_DISCARDNS = 0x10;
inline constexpr DWORD WC_SEPCHARS = 0x20;
inline constexpr DWORD WC_DEFAULTCHAR = 0x40;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;
inline constexpr DWORD WC_COMPOSITECHECK = 0x200;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;

extern "C" {

// Converts `byte_count` bytes of `text` (-1: up to and including its NUL) to
// wide characters. `out_count` 0 asks for the needed count. Returns the count
// written, or 0 with the last error set (ERROR_INSUFFICIENT_BUFFER,
// ERROR_INVALID_PARAMETER, ERROR_INVALID_FLAGS, ERROR_NO_UNICODE_TRANSLATION).
EBANK_EXPORT int MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR text, int byte_count,
                                     LPWSTR out, int out_count);
// Converts `count` wide characters of `text` (-1: up to and including its NUL)
// to bytes; `out_bytes` 0 asks for the needed size. Characters the code page
// lacks become `default_char` (or '?') and set *used_default; UTF-8 accepts
// neither argument. Returns and fails as MultiByteToWideChar does.
EBANK_EXPORT int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR text, int count,
                                     LPSTR out, int out_bytes, LPCSTR default_char,
                                     BOOL* used_default);
// The ANSI code page in effect: EBANK_ACP when it names a supported code page,
// otherwise 1252.
EBANK_EXPORT UINT GetACP();

}  // extern "C"

namespace ebank::platform {

// Whole-string conversions through the ANSI code page, for callers that need
// no Windows-style buffers. Embedded NULs are converted like any character.
EBANK_EXPORT std::string NarrowFromWide(std::wstring_view text);
EBANK_EXPORT std::wstring WideFromNarrow(std::string_view text);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_CODE_PAGE_H_
