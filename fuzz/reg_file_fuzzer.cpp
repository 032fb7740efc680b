// Fuzzes the registry file parser with arbitrary text, then reads every key
// and value it produced back through RegOpenKeyExA and RegQueryValueExA with
// buffers of exactly the reported size, so a size answer that is too small
// shows up as a heap overflow. Keys are opened below their parent's handle,
// and near the hive also by their whole path.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ebank/platform/win32/internal/reg_file_parser.h"
#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"
#include "fuzz/fuzz_check.h"

namespace {

using ebank::platform::RegistryKey;
using ebank::platform::RegistryTree;
using ebank::platform::RegistryValue;

HKEY Hive(std::string_view root) {
  if (root == "hkey_local_machine") return HKEY_LOCAL_MACHINE;
  if (root == "hkey_classes_root") return HKEY_CLASSES_ROOT;
  return nullptr;
}

// Every name is folded and not empty, and no key lies deeper than the bound.
void CheckTreeShape(const RegistryKey& key, std::size_t depth) {
  EBANK_FUZZ_CHECK(depth <= ebank::platform::kMaxRegistryKeyDepth);
  for (const auto& [name, value] : key.values)
    EBANK_FUZZ_CHECK(ebank::platform::FoldCase(name) == name);
  for (const auto& [name, subkey] : key.subkeys) {
    EBANK_FUZZ_CHECK(!name.empty() && ebank::platform::FoldCase(name) == name);
    CheckTreeShape(*subkey, depth + 1);
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

// Twenty skipped lines and the line that counts the rest.
constexpr std::size_t kMaxProblemsListed = 21;

// Keys this close to their hive are also opened by their whole path from the
// hive; the others only by name below their parent, which keeps reading back
// a deep tree linear in its size.
constexpr std::size_t kWholePathDepth = 8;

// Opens `key` by `name` below the open `parent` and reads its values, then its
// subkeys. `path` is its path below `hive` while it is near enough.
void ReadBack(HKEY parent, const std::string& name, const RegistryKey& key, HKEY hive,
              const std::string& path, std::size_t depth) {
  // A NUL inside a name cannot be asked for through a C string.
  if (name.find('\0') != std::string::npos) return;
  HKEY handle = nullptr;
  EBANK_FUZZ_CHECK(RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS);
  if (depth <= kWholePathDepth) {
    HKEY again = nullptr;
    EBANK_FUZZ_CHECK(RegOpenKeyExA(hive, path.c_str(), 0, KEY_READ, &again) == ERROR_SUCCESS);
    RegCloseKey(again);
  }
  for (const auto& [value_name, value] : key.values) {
    if (value_name.find('\0') == std::string::npos) QueryValue(handle, value_name, value);
  }
  for (const auto& [subkey_name, subkey] : key.subkeys) {
    std::string subkey_path;
    if (depth < kWholePathDepth)
      subkey_path = path.empty() ? subkey_name : path + '\\' + subkey_name;
    ReadBack(handle, subkey_name, *subkey, hive, subkey_path, depth + 1);
  }
  RegCloseKey(handle);
}

// Loads `text` as the registry with standard error sent to /dev/null: the
// registry reports skipped lines there, and nearly every input has some.
// (ParseRegFile has read the same text before, unmuted, so a fault of the
// parser is reported there.)
void LoadQuietly(std::string_view text) {
  static const int null_device = open("/dev/null", O_WRONLY | O_CLOEXEC);
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  dup2(null_device, STDERR_FILENO);
  ebank::platform::LoadRegistryForTesting(text);
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> problems;
  const RegistryTree tree = ebank::platform::ParseRegFile(text, "fuzz.reg", &problems);
  for (const auto& [root, hive] : tree.subkeys) {
    EBANK_FUZZ_CHECK(Hive(root) != nullptr);
    CheckTreeShape(*hive, 0);
  }
  EBANK_FUZZ_CHECK(problems.size() <= kMaxProblemsListed);
  LoadQuietly(text);
  for (const auto& [root, hive] : tree.subkeys) ReadBack(Hive(root), "", *hive, Hive(root), "", 0);
  ebank::platform::ResetRegistryForTesting();
  return 0;
}
