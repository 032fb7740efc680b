// The read-only registry: a store of keys and values loaded from a `.reg` text
// file ($EBANK_REGISTRY, else /etc/ebank/registry.reg), read through the
// Windows registry functions. Key and value names compare case-insensitively.
#ifndef EBANK_PLATFORM_WIN32_REGISTRY_H_
#define EBANK_PLATFORM_WIN32_REGISTRY_H_

#include <cstdint>

#include "ebank/platform/export.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"

// Predefined root keys, with their Windows handle values.
#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))

// Access rights; the store is read-only, so every open grants read access.
inline constexpr DWORD KEY_QUERY_VALUE = 0x0001;
inline constexpr DWORD KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr DWORD KEY_READ = 0x20019;

// Value types.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

extern "C" {
// Opens `subkey` below `key` (null or empty: a new handle on `key` itself).
EBANK_EXPORT LONG RegOpenKeyExA(HKEY key, LPCSTR subkey, DWORD options, DWORD sam, HKEY* result);
// Reads value `name` (null or empty: the default value). With a null `data` only
// the size is reported; a too small buffer gives ERROR_MORE_DATA and the size.
EBANK_EXPORT LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type,
                                   LPBYTE data, LPDWORD size);
EBANK_EXPORT LONG RegCloseKey(HKEY key);
}

#endif  // EBANK_PLATFORM_WIN32_REGISTRY_H_
