#include "ebank/platform/win32/version_info.h"

#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/internal/elf_section_reader.h"
#include "ebank/platform/win32/internal/resource_format.h"
#include "ebank/platform/win32/internal/resource_section.h"
#include "ebank/platform/win32/last_error.h"

namespace ebank::platform {
namespace {

constexpr std::string_view kTranslationQuery = "\\VarFileInfo\\Translation";
constexpr std::string_view kStringQuery = "\\StringFileInfo\\";

WORD U16(const BYTE* at) {
  return static_cast<WORD>(at[0] | (at[1] << 8));
}
DWORD U32(const BYTE* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<DWORD>(at[3]) << 24);
}

// Checks a version block's header and that every part lies within `size`.
bool IsValidBlock(const BYTE* block, size_t size) {
  if (size < rsrc::kVersionHeaderSize ||
      std::memcmp(block, rsrc::kVersionMagic, sizeof rsrc::kVersionMagic) != 0 ||
      U16(block + 4) != rsrc::kVersionFormat || U32(block + 12) != size) {
    return false;
  }
  size_t at = rsrc::kVersionHeaderSize + size_t{U16(block + 6)} * 4;
  for (DWORD i = 0, count = U32(block + 8); i < count; ++i) {
    if (at > size || size - at < rsrc::kVersionStringHeaderSize) return false;
    const size_t name = U16(block + at + 4);
    const size_t value = U16(block + at + 6);
    at += rsrc::kVersionStringHeaderSize;
    if (name == 0 || value == 0 || size - at < name + value || block[at + name - 1] != 0 ||
        block[at + name + value - 1] != 0) {
      return false;
    }
    at += name + value;
  }
  return at <= size;
}

// The version block of the module file at `path`, checked; empty when none.
std::vector<BYTE> ReadVersionBlock(const char* path) {
  ElfSection read = ReadElfSection(path, rsrc::kSectionName);
  if (read.status != ElfReadStatus::kOk) {
    SetLastError(read.status == ElfReadStatus::kNoFile ? ERROR_FILE_NOT_FOUND
                                                       : ERROR_RESOURCE_DATA_NOT_FOUND);
    return {};
  }
  const auto section = ResourceSection::Parse(std::move(read.bytes));
  auto miss = ResourceSection::Miss::kNone;
  const ResourceEntry* entry =
      section ? section->Find({rsrc::kVersionType, {}}, {rsrc::kVersionName, {}}, {}, &miss)
              : nullptr;
  if (entry == nullptr || !IsValidBlock(entry->data, entry->size)) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return {};
  }
  return std::vector<BYTE>(entry->data, entry->data + entry->size);
}

std::optional<DWORD> ParseHex8(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  DWORD value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<DWORD>(digit);
  }
  return value;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Finds "\StringFileInfo\LLLLCCCC\<name>" in a block checked by GetFileVersionInfoA.
bool QueryString(const BYTE* block, std::string_view query, LPVOID* value, UINT* length) {
  const size_t slash = query.find('\\');
  const auto translation = ParseHex8(query.substr(0, slash));
  if (!translation || slash == std::string_view::npos) return false;
  const std::string_view name = query.substr(slash + 1);
  size_t at = rsrc::kVersionHeaderSize + size_t{U16(block + 6)} * 4;
  for (DWORD i = 0, count = U32(block + 8); i < count; ++i) {
    const DWORD pair = (DWORD{U16(block + at)} << 16) | U16(block + at + 2);
    const size_t name_size = U16(block + at + 4);
    const size_t value_size = U16(block + at + 6);
    const auto* text = reinterpret_cast<const char*>(block + at + rsrc::kVersionStringHeaderSize);
    if (pair == *translation && EqualsIgnoringCase(std::string_view(text, name_size - 1), name)) {
      *value = const_cast<char*>(text + name_size);
      *length = static_cast<UINT>(value_size);
      return true;
    }
    at += rsrc::kVersionStringHeaderSize + name_size + value_size;
  }
  return false;
}

}  // namespace
}  // namespace ebank::platform

extern "C" DWORD GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle) {
  if (handle != nullptr) *handle = 0;
  return static_cast<DWORD>(ebank::platform::ReadVersionBlock(path).size());
}

extern "C" BOOL GetFileVersionInfoA(LPCSTR path, DWORD, DWORD size, LPVOID data) {
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::vector<BYTE> block = ebank::platform::ReadVersionBlock(path);
  if (block.empty()) return FALSE;
  if (block.size() > size) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(data, block.data(), block.size());
  return TRUE;
}

extern "C" BOOL VerQueryValueA(LPCVOID block, LPCSTR sub_block, LPVOID* value, UINT* length) {
  using namespace ebank::platform;
  if (block == nullptr || sub_block == nullptr || value == nullptr || length == nullptr) {
    return FALSE;
  }
  // The block's own recorded size bounds every read, as for a block read
  // from a file.
  const auto* bytes = static_cast<const BYTE*>(block);
  if (std::memcmp(bytes, rsrc::kVersionMagic, sizeof rsrc::kVersionMagic) != 0 ||
      !IsValidBlock(bytes, U32(bytes + 12))) {
    return FALSE;
  }
  const std::string_view query(sub_block);
  if (EqualsIgnoringCase(query, kTranslationQuery)) {
    *value = const_cast<BYTE*>(bytes + rsrc::kVersionHeaderSize);
    *length = UINT{U16(bytes + 6)} * 4;
    return *length > 0;
  }
  if (query.size() < kStringQuery.size() ||
      !EqualsIgnoringCase(query.substr(0, kStringQuery.size()), kStringQuery)) {
    return FALSE;
  }
  return QueryString(bytes, query.substr(kStringQuery.size()), value, length) ? TRUE : FALSE;
}
