// Fuzzes the reader of a module's resource section with arbitrary section
// bytes, then looks up every kind of resource the library asks for and reads
// each entry found to its last byte, so an entry pointing outside the section
// shows up as a heap overflow.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "ebank/platform/win32/internal/resource_section.h"
#include "fuzz/fuzz_check.h"

namespace {

using ebank::platform::ResourceEntry;
using ebank::platform::ResourceKey;
using ebank::platform::ResourceSection;

const char* IntResource(std::uintptr_t id) {
  return reinterpret_cast<const char*>(id);
}

// The types and names the library and its callers look up.
std::vector<ResourceKey> Keys(const std::vector<const char*>& values) {
  std::vector<ResourceKey> keys;
  for (const char* value : values) keys.push_back(*ResourceKey::From(value));
  return keys;
}

unsigned ReadAll(const ResourceEntry& entry) {
  unsigned sum = 0;
  for (DWORD i = 0; i < entry.size; ++i) sum += entry.data[i];
  return sum;
}

void LookUpEverything(const ResourceSection& section) {
  static const std::vector<ResourceKey> types =
      Keys({IntResource(6), IntResource(10), IntResource(16), "XSL", "#10"});
  static const std::vector<ResourceKey> names =
      Keys({IntResource(1), IntResource(7), IntResource(101), "KEY", "key512_public"});
  const std::optional<WORD> languages[] = {std::nullopt, 0, 0x0407, 0x0409};
  volatile unsigned sink = 0;
  for (const ResourceKey& type : types) {
    for (const ResourceKey& name : names) {
      for (const std::optional<WORD>& language : languages) {
        auto miss = ResourceSection::Miss::kNone;
        const ResourceEntry* entry = section.Find(type, name, language, &miss);
        EBANK_FUZZ_CHECK((entry == nullptr) == (miss != ResourceSection::Miss::kNone));
        if (entry == nullptr) continue;
        EBANK_FUZZ_CHECK(section.Owns(entry));
        sink = sink + ReadAll(*entry);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The input read as a resource name too: texts, "#id" forms, overlong ones.
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (const auto key = ResourceKey::From(text.c_str()))
    EBANK_FUZZ_CHECK(key->id != 0 || !key->name.empty());

  const auto section = ResourceSection::Parse(std::vector<BYTE>(data, data + size));
  if (section != nullptr) LookUpEverything(*section);
  return 0;
}
