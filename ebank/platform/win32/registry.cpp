#include "ebank/platform/win32/registry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "ebank/platform/win32/internal/reg_file_parser.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"

namespace ebank::platform {
namespace {

constexpr const char* kDefaultRegistryFile = "/etc/ebank/registry.reg";

// What a handle stands for: a key of one loaded store. An open key keeps its
// store, so replacing the store never invalidates handles.
struct OpenKey {
  std::shared_ptr<const RegistryTree> tree;
  const RegistryKey* key;
};

// A hive exists even when the file names no key in it.
OpenKey OpenHive(std::shared_ptr<const RegistryTree> tree, std::string_view name) {
  static const RegistryKey* const empty = new RegistryKey;  // outlives handles closed at exit
  const RegistryKey* hive = tree->Find(name);
  return OpenKey{std::move(tree), hive != nullptr ? hive : empty};
}

std::shared_ptr<const RegistryTree> Parse(std::string_view text, std::string_view file_name) {
  std::vector<std::string> problems;
  auto tree = std::make_shared<const RegistryTree>(ParseRegFile(text, file_name, &problems));
  for (const std::string& problem : problems) {
    std::fprintf(stderr, "ebank registry: %s\n", problem.c_str());
  }
  return tree;
}

std::shared_ptr<const RegistryTree> LoadConfiguredFile() {
  const char* configured = std::getenv("EBANK_REGISTRY");
  const std::string file_name = configured != nullptr ? configured : kDefaultRegistryFile;
  std::ifstream file(file_name, std::ios::binary);
  if (!file) return std::make_shared<const RegistryTree>();
  std::ostringstream text;
  text << file.rdbuf();
  return Parse(text.str(), file_name);
}

class Registry {
 public:
  static Registry& Get() {
    static Registry* registry = new Registry;  // outlives handles closed at exit
    return *registry;
  }

  void Replace(std::shared_ptr<const RegistryTree> tree) {
    std::lock_guard lock(mutex_);
    tree_ = std::move(tree);
  }

  // The store and key a handle stands for; nothing for a stale handle.
  std::optional<OpenKey> Resolve(HKEY key) {
    std::lock_guard lock(mutex_);
    if (key == HKEY_CLASSES_ROOT) return OpenHive(TreeLocked(), "hkey_classes_root");
    if (key == HKEY_LOCAL_MACHINE) return OpenHive(TreeLocked(), "hkey_local_machine");
    const auto found = open_.find(reinterpret_cast<OpenKey*>(key));
    if (found == open_.end()) return std::nullopt;
    return **found;
  }

  HKEY Open(OpenKey key) {
    auto* handle = new OpenKey(std::move(key));
    std::lock_guard lock(mutex_);
    open_.insert(handle);
    return reinterpret_cast<HKEY>(handle);
  }

  LONG Close(HKEY key) {
    if (key == HKEY_CLASSES_ROOT || key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
    OpenKey* handle = reinterpret_cast<OpenKey*>(key);
    {
      std::lock_guard lock(mutex_);
      if (open_.erase(handle) == 0) return ERROR_INVALID_HANDLE;
    }
    delete handle;
    return ERROR_SUCCESS;
  }

 private:
  std::shared_ptr<const RegistryTree> TreeLocked() {
    if (!tree_) tree_ = LoadConfiguredFile();
    return tree_;
  }

  std::mutex mutex_;
  std::shared_ptr<const RegistryTree> tree_;
  std::unordered_set<OpenKey*> open_;
};

}  // namespace

#ifdef EBANK_TEST_HOOKS
void LoadRegistryForTesting(std::string_view reg_text) {
  Registry::Get().Replace(Parse(reg_text, "<test registry>"));
}

void ResetRegistryForTesting() {
  Registry::Get().Replace(nullptr);
}
#endif

}  // namespace ebank::platform

using ebank::platform::FoldCase;
using ebank::platform::OpenKey;
using ebank::platform::Registry;
using ebank::platform::RegistryValues;

extern "C" LONG RegOpenKeyExA(HKEY key, LPCSTR subkey, DWORD, DWORD, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  auto base = Registry::Get().Resolve(key);
  if (!base) return ERROR_INVALID_HANDLE;
  if (subkey != nullptr && *subkey != '\0') {
    base->key = base->key->Find(FoldCase(subkey));
    if (base->key == nullptr) return ERROR_FILE_NOT_FOUND;
  }
  *result = Registry::Get().Open(std::move(*base));
  return ERROR_SUCCESS;
}

extern "C" LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                 LPDWORD size) {
  if (reserved != nullptr || (data != nullptr && size == nullptr)) return ERROR_INVALID_PARAMETER;
  const auto open = Registry::Get().Resolve(key);
  if (!open) return ERROR_INVALID_HANDLE;
  const RegistryValues& values = open->key->values;
  const auto found = values.find(FoldCase(name != nullptr ? name : ""));
  if (found == values.end()) return ERROR_FILE_NOT_FOUND;
  const auto& value = found->second;
  if (type != nullptr) *type = value.type;
  const auto needed = static_cast<DWORD>(value.data.size());
  if (data == nullptr) {
    if (size != nullptr) *size = needed;
    return ERROR_SUCCESS;
  }
  const bool fits = *size >= needed;
  *size = needed;
  if (!fits) return ERROR_MORE_DATA;
  if (needed > 0) std::memcpy(data, value.data.data(), needed);
  return ERROR_SUCCESS;
}

extern "C" LONG RegCloseKey(HKEY key) {
  return Registry::Get().Close(key);
}
