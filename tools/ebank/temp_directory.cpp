#include "tools/ebank/temp_directory.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "tools/ebank/tool_error.h"

namespace ebank::tool {

TempDirectory::TempDirectory(const std::string& prefix) {
  const char* base = getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/" + prefix + "-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) {
    throw ToolError("cannot make a temporary directory from '" + pattern + "'");
  }
  path_ = buffer.data();
}

TempDirectory::~TempDirectory() {
  if (keep_) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace ebank::tool
