#include "ebank/platform/win32/module.h"

#include <dlfcn.h>
#include <link.h>
#include <strings.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/last_error.h"

namespace ebank::platform {
namespace {

struct LoadedObject {
  HMODULE handle;
  std::string path;
};

std::string ProgramPath() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

// The handle of an object as dladdr names it: the start of its first mapping.
HMODULE HandleOf(const dl_phdr_info& info) {
  for (int i = 0; i < info.dlpi_phnum; ++i) {
    if (info.dlpi_phdr[i].p_type == PT_LOAD) {
      return ModuleFromAddress(
          reinterpret_cast<const void*>(info.dlpi_addr + info.dlpi_phdr[i].p_vaddr));
    }
  }
  return nullptr;
}

std::vector<LoadedObject> LoadedObjects() {
  std::vector<LoadedObject> objects;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        const HMODULE handle = HandleOf(*info);
        if (handle == nullptr) return 0;
        const bool program = info->dlpi_name == nullptr || info->dlpi_name[0] == '\0';
        if (program && !static_cast<std::vector<LoadedObject>*>(data)->empty()) return 0;
        static_cast<std::vector<LoadedObject>*>(data)->push_back(
            {handle, program ? ProgramPath() : std::string(info->dlpi_name)});
        return 0;
      },
      &objects);
  return objects;
}

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// A name with a directory part names the full path, a bare name the file name.
bool NamesObject(const char* name, const std::string& path) {
  const bool full = std::strchr(name, '/') != nullptr;
  const std::string candidate(full ? std::string_view(path) : BaseName(path));
  return ::strcasecmp(candidate.c_str(), name) == 0;
}

}  // namespace

HMODULE ModuleFromAddress(const void* address) {
  Dl_info info{};
  if (address == nullptr || dladdr(address, &info) == 0) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

std::string ModuleFilePath(HMODULE module) {
  if (module == nullptr) return ProgramPath();
  for (const LoadedObject& object : LoadedObjects()) {
    if (object.handle == module) return object.path;
  }
  return {};
}

}  // namespace ebank::platform

extern "C" HMODULE GetModuleHandleA(LPCSTR name) {
  const auto objects = ebank::platform::LoadedObjects();
  if (name == nullptr) return objects.empty() ? nullptr : objects.front().handle;
  for (const auto& object : objects) {
    if (ebank::platform::NamesObject(name, object.path)) return object.handle;
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

extern "C" DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  const std::string path = ebank::platform::ModuleFilePath(module);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.size() >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}
