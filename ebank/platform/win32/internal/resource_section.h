// The parsed `.ebank.rsrc` section of one module: its resource entries, found
// by type, name and language. Parsing checks every offset and size, so a
// damaged or hostile section is rejected as a whole.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_RESOURCE_SECTION_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_RESOURCE_SECTION_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ebank/platform/types.h"

namespace ebank::platform {

// A resource type or name: an integer id, or (id 0) a case-folded text.
struct ResourceKey {
  WORD id = 0;
  std::string name;

  // Reads a MAKEINTRESOURCE value or a text ("#123" is the id 123); nothing
  // for null, id 0 or an overlong text.
  static std::optional<ResourceKey> From(const char* value);
  bool operator==(const ResourceKey&) const = default;
};

struct ResourceEntry {
  ResourceKey type;
  ResourceKey name;
  WORD language = 0;
  const BYTE* data = nullptr;
  DWORD size = 0;
};

class ResourceSection {
 public:
  enum class Miss { kNone, kType, kName, kLanguage };

  // Nothing when `bytes` is not a well-formed section.
  static std::shared_ptr<const ResourceSection> Parse(std::vector<BYTE> bytes);

  // With a language, that language only; without, the neutral language, then
  // US English, then the first one listed. `miss` tells what was not found.
  const ResourceEntry* Find(const ResourceKey& type, const ResourceKey& name,
                            std::optional<WORD> language, Miss* miss) const;
  // Whether `entry` is one of this section's entries.
  bool Owns(const void* entry) const;

 private:
  std::vector<BYTE> bytes_;
  std::vector<ResourceEntry> entries_;
};

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_RESOURCE_SECTION_H_
