#include "ebank/diagnostics/internal/product_version.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "ebank/platform/win32/internal/saved_last_error.h"
#include "ebank/platform/win32/version_info.h"

namespace ebank::diagnostics {
namespace {

constexpr std::size_t kMaxModulePath = 511;

// The query for the product version under the block's first translation.
bool ProductVersionQuery(const void* block, char (&query)[64]) {
  void* value = nullptr;
  UINT length = 0;
  WORD translation[2];
  if (!VerQueryValueA(block, "\\VarFileInfo\\Translation", &value, &length) || value == nullptr ||
      length < sizeof(translation)) {
    return false;
  }
  std::memcpy(translation, value, sizeof(translation));
  std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04X%04X\\ProductVersion",
                unsigned{translation[0]}, unsigned{translation[1]});
  return true;
}

}  // namespace

bool GetModuleProductVersion(const char* module_path, std::string* version) {
  if (module_path == nullptr || strnlen(module_path, kMaxModulePath + 1) > kMaxModulePath) {
    return false;
  }
  // A module without a version resource is no failure of the caller's.
  const platform::SavedLastError keep_callers_error;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(module_path, &handle);
  if (size == 0) return false;
  std::vector<BYTE> block(size);
  char query[64];
  void* text = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(module_path, handle, size, block.data()) ||
      !ProductVersionQuery(block.data(), query) ||
      !VerQueryValueA(block.data(), query, &text, &length) || text == nullptr) {
    return false;
  }
  version->assign(static_cast<const char*>(text), strnlen(static_cast<const char*>(text), length));
  return true;
}

}  // namespace ebank::diagnostics
