// Fuzzes the registry file parser with arbitrary text, then reads every key
// and value it produced back through RegOpenKeyExA and RegQueryValueExA with
// buffers of exactly the reported size, so a size answer that is too small
// shows up as a heap overflow.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ebank/platform/win32/reg_file_parser.h"
#include "ebank/platform/win32/registry.h"
#include "fuzz/fuzz_check.h"

namespace {

using ebank::platform::RegistryTree;
using ebank::platform::RegistryValue;

HKEY Hive(std::string_view root) {
  if (root == "hkey_local_machine") return HKEY_LOCAL_MACHINE;
  if (root == "hkey_classes_root") return HKEY_CLASSES_ROOT;
  return nullptr;
}

// Every key path is folded and its parent is a key of the tree as well.
void CheckTreeShape(const RegistryTree& tree) {
  for (const auto& [path, values] : tree) {
    EBANK_FUZZ_CHECK(ebank::platform::FoldCase(path) == path);
    const std::size_t slash = path.rfind('\\');
    if (slash != std::string::npos) EBANK_FUZZ_CHECK(tree.count(path.substr(0, slash)) == 1);
    for (const auto& [name, value] : values)
      EBANK_FUZZ_CHECK(ebank::platform::FoldCase(name) == name);
  }
}

// Reads one value as a caller would: size query, then a buffer of that size.
void QueryValue(HKEY key, const std::string& name, const RegistryValue& stored) {
  DWORD type = 0, size = 0;
  EBANK_FUZZ_CHECK(RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) ==
                   ERROR_SUCCESS);
  EBANK_FUZZ_CHECK(type == stored.type);
  std::vector<BYTE> buffer(size);
  DWORD room = size;
  EBANK_FUZZ_CHECK(RegQueryValueExA(key, name.c_str(), nullptr, &type, buffer.data(), &room) ==
                   ERROR_SUCCESS);
  EBANK_FUZZ_CHECK(buffer == stored.data);
  if (size == 0) return;
  // One byte short; a buffer is never null, which would ask for the size.
  DWORD short_room = size - 1;
  std::vector<BYTE> small(std::max<DWORD>(short_room, 1));
  EBANK_FUZZ_CHECK(RegQueryValueExA(key, name.c_str(), nullptr, &type, small.data(), &short_room) ==
                   ERROR_MORE_DATA);
}

void ReadBack(const RegistryTree& tree) {
  for (const auto& [path, values] : tree) {
    const std::size_t slash = path.find('\\');
    HKEY hive = Hive(std::string_view(path).substr(0, slash));
    if (hive == nullptr || slash == std::string::npos) continue;
    HKEY key = nullptr;
    const std::string subkey = path.substr(slash + 1);
    // A NUL inside a name cannot be asked for through a C string, and an
    // empty one names the hive itself.
    if (subkey.empty() || subkey.find('\0') != std::string::npos) continue;
    EBANK_FUZZ_CHECK(RegOpenKeyExA(hive, subkey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS);
    for (const auto& [name, value] : values) {
      if (name.find('\0') == std::string::npos) QueryValue(key, name, value);
    }
    RegCloseKey(key);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> problems;
  const RegistryTree tree = ebank::platform::ParseRegFile(text, "fuzz.reg", &problems);
  CheckTreeShape(tree);
  ebank::platform::LoadRegistryForTesting(text);
  ReadBack(tree);
  ebank::platform::ResetRegistryForTesting();
  return 0;
}
