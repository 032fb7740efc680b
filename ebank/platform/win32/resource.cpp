#include "ebank/platform/win32/resource.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/internal/elf_section_reader.h"
#include "ebank/platform/win32/internal/resource_format.h"
#include "ebank/platform/win32/internal/resource_section.h"
#include "ebank/platform/win32/last_error.h"
#include "ebank/platform/win32/module.h"

namespace ebank::platform {
namespace {

// The resource sections of the modules asked so far, read from their files on
// first use. A module without a readable section is cached as null.
class ResourceCache {
 public:
  static ResourceCache& Get() {
    static ResourceCache* cache = new ResourceCache;  // resource pointers outlive exit
    return *cache;
  }

  std::shared_ptr<const ResourceSection> Section(HMODULE module) {
    if (module == nullptr) module = Program();
    {
      std::shared_lock lock(mutex_);
      const auto found = sections_.find(module);
      if (found != sections_.end()) return found->second;
    }
    // Unknown handles are not cached: a module may be loaded there later.
    const std::string path = ModuleFilePath(module);
    if (path.empty()) return nullptr;
    std::shared_ptr<const ResourceSection> section;
    ElfSection read = ReadElfSection(path.c_str(), rsrc::kSectionName);
    if (read.status == ElfReadStatus::kOk) section = ResourceSection::Parse(std::move(read.bytes));
    std::unique_lock lock(mutex_);
    return sections_.try_emplace(module, std::move(section)).first->second;
  }

  // The entry behind a resource handle, if the handle is one this cache gave out.
  const ResourceEntry* Entry(HRSRC resource) {
    std::shared_lock lock(mutex_);
    for (const auto& [module, section] : sections_) {
      if (section && section->Owns(resource))
        return reinterpret_cast<const ResourceEntry*>(resource);
    }
    return nullptr;
  }

 private:
  HMODULE Program() {
    std::call_once(program_once_, [this] { program_ = GetModuleHandleA(nullptr); });
    return program_;
  }

  std::shared_mutex mutex_;
  std::unordered_map<HMODULE, std::shared_ptr<const ResourceSection>> sections_;
  std::once_flag program_once_;
  HMODULE program_ = nullptr;
};

DWORD ErrorOf(ResourceSection::Miss miss) {
  switch (miss) {
    case ResourceSection::Miss::kType:
      return ERROR_RESOURCE_TYPE_NOT_FOUND;
    case ResourceSection::Miss::kName:
      return ERROR_RESOURCE_NAME_NOT_FOUND;
    case ResourceSection::Miss::kLanguage:
      return ERROR_RESOURCE_LANG_NOT_FOUND;
    case ResourceSection::Miss::kNone:
      break;
  }
  return ERROR_SUCCESS;
}

HRSRC Find(HMODULE module, LPCSTR type, LPCSTR name, std::optional<WORD> language) {
  const auto section = ResourceCache::Get().Section(module);
  if (!section) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  const auto type_key = ResourceKey::From(type);
  if (!type_key) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  const auto name_key = ResourceKey::From(name);
  if (!name_key) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto miss = ResourceSection::Miss::kNone;
  const ResourceEntry* entry = section->Find(*type_key, *name_key, language, &miss);
  if (entry == nullptr) SetLastError(ErrorOf(miss));
  return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry));
}

const ResourceEntry* EntryOrError(HRSRC resource) {
  const ResourceEntry* entry = resource ? ResourceCache::Get().Entry(resource) : nullptr;
  if (entry == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return entry;
}

}  // namespace
}  // namespace ebank::platform

using ebank::platform::EntryOrError;
using ebank::platform::Find;

extern "C" HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  return Find(module, type, name, std::nullopt);
}

// The neutral language asks for the default choice, as on Windows.
extern "C" HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language) {
  if (language == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)) return Find(module, type, name, {});
  return Find(module, type, name, language);
}

extern "C" HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  const auto* entry = EntryOrError(resource);
  return entry ? const_cast<BYTE*>(entry->data) : nullptr;
}

extern "C" LPVOID LockResource(HGLOBAL data) {
  return data;
}

extern "C" DWORD SizeofResource(HMODULE, HRSRC resource) {
  const auto* entry = EntryOrError(resource);
  return entry ? entry->size : 0;
}

extern "C" BOOL FreeResource(HGLOBAL) {
  return FALSE;
}

extern "C" int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  if (id > 0xFFFF) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_STRING);
  const auto* entry = found ? EntryOrError(found) : nullptr;
  if (entry == nullptr) return 0;
  const auto* text = reinterpret_cast<const char*>(entry->data);
  const size_t length = std::min<size_t>(strnlen(text, entry->size), static_cast<size_t>(size - 1));
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}
