#include "ebank/diagnostics/directories.h"

#include <cstring>
#include <mutex>

#include "ebank/diagnostics/internal/registry_key.h"
#include "ebank/diagnostics/internal/testing_hooks.h"
#include "ebank/platform/win32/internal/saved_last_error.h"

namespace ovEBankHelper {
namespace {

constexpr DWORD kDirectorySize = 260;

char installation_directory[kDirectorySize];
char data_directory[kDirectorySize];
// Serialises the lookups (the data directory's falls back on the installation
// directory's inside its own); a filled buffer is never written again.
std::recursive_mutex lookup_mutex;

// "C:\" keeps its separator off as "C:"; "C:" and shorter stay as they are.
void RemoveTrailingSeparator(char* directory) {
  const size_t length = std::strlen(directory);
  if (length > 2 && (directory[length - 1] == '\\' || directory[length - 1] == '/')) {
    directory[length - 1] = '\0';
  }
}

// Fills `directory` from value `name` unless it already holds a text. With
// `fallback`, a key without the value yields the fallback's text.
char* LookUp(char* directory, const char* name, char* (*fallback)()) {
  const ebank::platform::SavedLastError keep_callers_error;
  std::lock_guard lock(lookup_mutex);
  if (directory[0] != '\0') return directory;
  const auto key = ebank::diagnostics::RegistryKey::Settings();
  if (!key.is_open()) return directory;
  if (key.ReadText(name, directory, kDirectorySize)) {
    RemoveTrailingSeparator(directory);
  } else if (fallback != nullptr) {
    const char* other = fallback();
    std::memcpy(directory, other, std::strlen(other) + 1);
  }
  return directory;
}

}  // namespace

char* g_getZEBPath() {
  return LookUp(installation_directory, "ZEB32DIR", nullptr);
}

char* g_getZEBDataPath() {
  return LookUp(data_directory, "ZEB32DATA", &g_getZEBPath);
}

}  // namespace ovEBankHelper

namespace ebank::diagnostics {

#ifdef EBANK_TEST_HOOKS
void ResetDirectoriesForTesting() {
  std::lock_guard lock(ovEBankHelper::lookup_mutex);
  ovEBankHelper::installation_directory[0] = '\0';
  ovEBankHelper::data_directory[0] = '\0';
}
#endif

}  // namespace ebank::diagnostics
