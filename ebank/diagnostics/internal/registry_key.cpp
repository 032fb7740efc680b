#include "ebank/diagnostics/internal/registry_key.h"

#include <cstring>
#include <new>
#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/registry.h"

namespace ebank::diagnostics {

RegistryKey::RegistryKey(HKEY root, const char* path) {
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
}

RegistryKey::~RegistryKey() {
  if (key_ != nullptr) RegCloseKey(key_);
}

RegistryKey RegistryKey::Settings() {
  return RegistryKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\BRANTEL\\MIRA");
}

DWORD RegistryKey::ValueSize(const char* name) const {
  DWORD size = 0;
  if (key_ == nullptr ||
      RegQueryValueExA(key_, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
    return 0;
  }
  return size;
}

bool RegistryKey::ReadText(const char* name, char* buffer, DWORD size) const {
  if (buffer == nullptr || size == 0) return false;
  DWORD stored = size;
  const bool read = key_ != nullptr &&
                    RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                                     &stored) == ERROR_SUCCESS &&
                    stored <= size;
  // A value that fills the buffer without its own terminator does not fit.
  if (!read || (stored == size && buffer[size - 1] != '\0')) {
    buffer[0] = '\0';
    return false;
  }
  buffer[stored < size ? stored : size - 1] = '\0';
  return true;
}

bool RegistryKey::ReadTextCut(const char* name, char* buffer, DWORD size) const {
  if (ReadText(name, buffer, size)) return true;
  DWORD needed = ValueSize(name);
  if (buffer == nullptr || size == 0 || needed < size) return false;
  std::string whole;
  try {
    whole.assign(needed, '\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(whole.data()),
                       &needed) != ERROR_SUCCESS) {
    return false;
  }
  const size_t length = strnlen(whole.c_str(), size - 1);
  std::memcpy(buffer, whole.data(), length);
  buffer[length] = '\0';
  return true;
}

bool RegistryKey::ReadNumber(const char* name, DWORD* number) const {
  BYTE bytes[4] = {};
  DWORD size = sizeof(bytes);
  if (key_ == nullptr ||
      RegQueryValueExA(key_, name, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS) {
    return false;
  }
  *number = DWORD{bytes[0]} | DWORD{bytes[1]} << 8 | DWORD{bytes[2]} << 16 | DWORD{bytes[3]} << 24;
  return true;
}

}  // namespace ebank::diagnostics
