#include "ebank/platform/win32/temp_path.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string TempDirectory() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = (dir != nullptr && dir[0] != '\0') ? dir : "/tmp";
  if (path.back() != '/') path.push_back('/');
  return path;
}

}  // namespace

extern "C" {

DWORD GetTempPathA(DWORD size, LPSTR buffer) {
  const std::string path = TempDirectory();
  const DWORD needed = static_cast<DWORD>(path.size() + 1);
  if (buffer == nullptr || size < needed) return needed;
  std::memcpy(buffer, path.c_str(), needed);
  return needed - 1;
}

}  // extern "C"
