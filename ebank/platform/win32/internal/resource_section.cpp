#include "ebank/platform/win32/internal/resource_section.h"

#include <cstring>
#include <functional>

#include "ebank/platform/win32/internal/reg_file_parser.h"
#include "ebank/platform/win32/internal/resource_format.h"

namespace ebank::platform {
namespace {

constexpr WORD kNeutralLanguage = 0x0000;
constexpr WORD kUsEnglish = 0x0409;

DWORD ReadU32(const std::vector<BYTE>& bytes, size_t offset) {
  return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
         (static_cast<DWORD>(bytes[offset + 3]) << 24);
}

WORD ReadU16(const std::vector<BYTE>& bytes, size_t offset) {
  return static_cast<WORD>(bytes[offset] | (bytes[offset + 1] << 8));
}

// Resolves a type or name reference of an entry; nothing when it points
// outside the section or at an unterminated or overlong text.
std::optional<ResourceKey> ReadKey(const std::vector<BYTE>& bytes, DWORD reference) {
  if ((reference & rsrc::kNamedReference) == 0) {
    if (reference == 0 || reference > 0xFFFF) return std::nullopt;
    return ResourceKey{static_cast<WORD>(reference), {}};
  }
  const size_t offset = reference & ~rsrc::kNamedReference;
  if (offset >= bytes.size()) return std::nullopt;
  const size_t limit = std::min<size_t>(bytes.size() - offset, rsrc::kMaxNameLength + 1);
  const void* end = std::memchr(bytes.data() + offset, 0, limit);
  if (end == nullptr || end == bytes.data() + offset) return std::nullopt;
  const auto* text = reinterpret_cast<const char*>(bytes.data() + offset);
  return ResourceKey{
      0, FoldCase(std::string_view(text, static_cast<const BYTE*>(end) - (bytes.data() + offset)))};
}

}  // namespace

std::optional<ResourceKey> ResourceKey::From(const char* value) {
  const auto bits = reinterpret_cast<std::uintptr_t>(value);
  if (bits >> 16 == 0) {
    if (bits == 0) return std::nullopt;
    return ResourceKey{static_cast<WORD>(bits), {}};
  }
  const std::string_view text(value, strnlen(value, rsrc::kMaxNameLength + 1));
  if (text.empty() || text.size() > rsrc::kMaxNameLength) return std::nullopt;
  if (text.front() != '#') return ResourceKey{0, FoldCase(text)};
  DWORD id = 0;
  for (char c : text.substr(1)) {
    if (c < '0' || c > '9' || id > 0xFFFF) return std::nullopt;
    id = id * 10 + static_cast<DWORD>(c - '0');
  }
  if (id == 0 || id > 0xFFFF) return std::nullopt;
  return ResourceKey{static_cast<WORD>(id), {}};
}

std::shared_ptr<const ResourceSection> ResourceSection::Parse(std::vector<BYTE> bytes) {
  if (bytes.size() < rsrc::kHeaderSize ||
      std::memcmp(bytes.data(), rsrc::kSectionMagic, sizeof rsrc::kSectionMagic) != 0 ||
      ReadU16(bytes, 4) != rsrc::kSectionFormat || ReadU32(bytes, 12) < rsrc::kHeaderSize ||
      ReadU32(bytes, 12) > bytes.size()) {
    return nullptr;
  }
  bytes.resize(ReadU32(bytes, 12));  // the section may be padded after the blob
  const DWORD count = ReadU32(bytes, 8);
  if (count > (bytes.size() - rsrc::kHeaderSize) / rsrc::kEntrySize) return nullptr;
  auto section = std::make_shared<ResourceSection>();
  section->entries_.reserve(count);
  std::vector<DWORD> offsets;
  for (DWORD i = 0; i < count; ++i) {
    const size_t at = rsrc::kHeaderSize + size_t{i} * rsrc::kEntrySize;
    auto type = ReadKey(bytes, ReadU32(bytes, at));
    auto name = ReadKey(bytes, ReadU32(bytes, at + 4));
    const DWORD offset = ReadU32(bytes, at + 12);
    const DWORD size = ReadU32(bytes, at + 16);
    if (!type || !name || offset > bytes.size() || size > bytes.size() - offset) return nullptr;
    section->entries_.push_back(
        {std::move(*type), std::move(*name), ReadU16(bytes, at + 8), nullptr, size});
    offsets.push_back(offset);
  }
  section->bytes_ = std::move(bytes);
  for (size_t i = 0; i < offsets.size(); ++i) {
    section->entries_[i].data = section->bytes_.data() + offsets[i];
  }
  return section;
}

const ResourceEntry* ResourceSection::Find(const ResourceKey& type, const ResourceKey& name,
                                           std::optional<WORD> language, Miss* miss) const {
  const ResourceEntry* any = nullptr;
  const ResourceEntry* english = nullptr;
  bool type_seen = false;
  for (const ResourceEntry& entry : entries_) {
    if (!(entry.type == type)) continue;
    type_seen = true;
    if (!(entry.name == name)) continue;
    if (language ? entry.language == *language : entry.language == kNeutralLanguage) {
      *miss = Miss::kNone;
      return &entry;
    }
    if (entry.language == kUsEnglish && english == nullptr) english = &entry;
    if (any == nullptr) any = &entry;
  }
  const ResourceEntry* fallback = english != nullptr ? english : any;
  if (!language && fallback != nullptr) {
    *miss = Miss::kNone;
    return fallback;
  }
  *miss = !type_seen ? Miss::kType : any == nullptr ? Miss::kName : Miss::kLanguage;
  return nullptr;
}

bool ResourceSection::Owns(const void* entry) const {
  const auto address = reinterpret_cast<std::uintptr_t>(entry);
  const auto first = reinterpret_cast<std::uintptr_t>(entries_.data());
  const auto end = reinterpret_cast<std::uintptr_t>(entries_.data() + entries_.size());
  return address >= first && address < end && (address - first) % sizeof(ResourceEntry) == 0;
}

}  // namespace ebank::platform
