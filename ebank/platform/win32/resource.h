// Module resources: XSL style sheets, binary records, string tables and the
// version, carried in a module's `.ebank.rsrc` section and read through the
// Windows resource functions.
#ifndef EBANK_PLATFORM_WIN32_RESOURCE_H_
#define EBANK_PLATFORM_WIN32_RESOURCE_H_

#include <cstdint>

#include "ebank/platform/export.h"
#include "ebank/platform/language_id.h"
#include "ebank/platform/types.h"

// An integer resource name or type travels as a pointer value below 0x10000.
#define MAKEINTRESOURCEA(id) \
  (reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(id))))
#define MAKEINTRESOURCE(id) MAKEINTRESOURCEA(id)
#define IS_INTRESOURCE(p) ((reinterpret_cast<std::uintptr_t>(p) >> 16) == 0)

#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_VERSION MAKEINTRESOURCEA(16)

extern "C" {
// Finds resource `name` of `type` in `module` (null: the program), preferring
// the neutral language, then US English, then any. Names and types are
// MAKEINTRESOURCE integers or texts (case-insensitive; "#123" is 123).
EBANK_EXPORT HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
// As FindResourceA, for the one given language.
EBANK_EXPORT HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
// The resource's data handle; the data stays valid while the module is loaded.
EBANK_EXPORT HGLOBAL LoadResource(HMODULE module, HRSRC resource);
EBANK_EXPORT LPVOID LockResource(HGLOBAL data);
EBANK_EXPORT DWORD SizeofResource(HMODULE module, HRSRC resource);
// Does nothing, as on Windows: resource data lives as long as its module.
EBANK_EXPORT BOOL FreeResource(HGLOBAL data);
// Copies string `id` of the module's string table into `buffer` (at most
// size - 1 characters, terminated) and returns its length; 0 when missing.
EBANK_EXPORT int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);
}

#endif  // EBANK_PLATFORM_WIN32_RESOURCE_H_
