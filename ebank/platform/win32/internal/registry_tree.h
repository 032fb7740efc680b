// The registry's data: a tree of keys, each holding its values and its
// subkeys by folded (lower-case) name. Memory grows with the names stored,
// never with the depth of a path.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_REGISTRY_TREE_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_REGISTRY_TREE_H_

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ebank/platform/types.h"

namespace ebank::platform {

// Levels a key may lie below its hive, as on Windows.
inline constexpr std::size_t kMaxRegistryKeyDepth = 512;

struct RegistryValue {
  DWORD type = 0;
  std::vector<BYTE> data;
};

// The values of one key by folded name; the default value has the name "".
using RegistryValues = std::unordered_map<std::string, RegistryValue>;

struct RegistryKey {
  RegistryValues values;
  std::map<std::string, std::unique_ptr<RegistryKey>, std::less<>> subkeys;

  // The key at `path` below this one: folded names separated by backslashes.
  // Null when there is none; an empty name never names a key.
  const RegistryKey* Find(std::string_view path) const;
};

// The top key of a store; its subkeys are the hives, by their full names
// ("hkey_local_machine", "hkey_classes_root").
using RegistryTree = RegistryKey;

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_REGISTRY_TREE_H_
