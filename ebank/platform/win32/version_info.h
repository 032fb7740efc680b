// Version resources of module files, read by path without loading the file:
// the translation table and the ProductVersion text of a module's version.
#ifndef EBANK_PLATFORM_WIN32_VERSION_INFO_H_
#define EBANK_PLATFORM_WIN32_VERSION_INFO_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {
// Size of the version block of file `path`, 0 when it has none (last error set).
EBANK_EXPORT DWORD GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle);
// Copies the version block of `path` into `data` (at most `size` bytes).
EBANK_EXPORT BOOL GetFileVersionInfoA(LPCSTR path, DWORD handle, DWORD size, LPVOID data);
// Answers "\VarFileInfo\Translation" (language and code page WORD pairs) and
// "\StringFileInfo\LLLLCCCC\<name>" (a NUL-terminated text, length in
// characters with the terminator) from a block read by GetFileVersionInfoA.
EBANK_EXPORT BOOL VerQueryValueA(LPCVOID block, LPCSTR sub_block, LPVOID* value, UINT* length);
}

#endif  // EBANK_PLATFORM_WIN32_VERSION_INFO_H_
