// A read-only registry key that closes itself, and the settings key of the
// installation ("SOFTWARE\\BRANTEL\\MIRA" under HKEY_LOCAL_MACHINE) that holds
// the directories, the trace mask and the installation's version.
#ifndef EBANK_DIAGNOSTICS_INTERNAL_REGISTRY_KEY_H_
#define EBANK_DIAGNOSTICS_INTERNAL_REGISTRY_KEY_H_

#include "ebank/platform/types.h"

namespace ebank::diagnostics {

class RegistryKey {
 public:
  // Opens `path` below `root` for reading; is_open() tells whether it worked.
  RegistryKey(HKEY root, const char* path);
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens the installation's settings key.
  static RegistryKey Settings();

  bool is_open() const { return key_ != nullptr; }

  // The stored size of value `name` in bytes; 0 when it is missing.
  DWORD ValueSize(const char* name) const;
  // Reads value `name` (null: the default value) into `buffer` of `size` bytes
  // whatever its type. True when the whole value fit; `buffer` then holds it
  // NUL-terminated. On failure `buffer` holds an empty text.
  bool ReadText(const char* name, char* buffer, DWORD size) const;
  // Like ReadText, but a value that does not fit is cut to size - 1 characters
  // instead of being refused.
  bool ReadTextCut(const char* name, char* buffer, DWORD size) const;
  // Reads value `name` as a little-endian 32-bit number; a value longer than
  // four bytes is refused.
  bool ReadNumber(const char* name, DWORD* number) const;

 private:
  HKEY key_ = nullptr;
};

}  // namespace ebank::diagnostics

#endif  // EBANK_DIAGNOSTICS_INTERNAL_REGISTRY_KEY_H_
