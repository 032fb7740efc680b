#include "ebank/platform/win32/internal/registry_tree.h"

namespace ebank::platform {

const RegistryKey* RegistryKey::Find(std::string_view path) const {
  const RegistryKey* key = this;
  while (true) {
    const std::size_t slash = path.find('\\');
    const auto found = key->subkeys.find(path.substr(0, slash));
    if (found == key->subkeys.end()) return nullptr;
    key = found->second.get();
    if (slash == std::string_view::npos) return key;
    path.remove_prefix(slash + 1);
  }
}

}  // namespace ebank::platform
