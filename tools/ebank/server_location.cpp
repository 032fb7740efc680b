#include "tools/ebank/server_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

bool IsFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// `directory` (relative to the tool's own directory) joined with the server's
// file name; empty when the tool cannot find itself.
std::string FromTool(const char* directory) {
  std::error_code error;
  const std::filesystem::path tool = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : (tool.parent_path() / directory / kServerFileName).string();
}

// The file checked is the file loaded: a relative name, a bare file name too,
// is made absolute here, since the loader would search the library path for
// a bare name instead of the current directory.
std::string Require(const std::string& path, const char* origin) {
  if (!IsFile(path))
    throw ToolError(std::string("the server named by ") + origin + " does not exist: " + path);
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

}  // namespace

std::string FindTxnDbServer(const std::string& chosen) {
  if (!chosen.empty()) return Require(chosen, "--server");
  if (const char* variable = std::getenv("EBANK_TXNDB_SERVER"); variable != nullptr && *variable) {
    return Require(variable, "EBANK_TXNDB_SERVER");
  }
#ifdef EBANK_TXNDB_SERVER_DIR_FROM_TOOL
  if (const std::string installed = FromTool(EBANK_TXNDB_SERVER_DIR_FROM_TOOL); IsFile(installed))
    return installed;
#endif
#ifdef EBANK_TXNDB_SERVER_PATH
  if (IsFile(EBANK_TXNDB_SERVER_PATH)) return EBANK_TXNDB_SERVER_PATH;
#endif
  if (const std::string beside = FromTool("."); IsFile(beside)) return beside;
  throw ToolError(std::string("cannot find the transaction database server (") + kServerFileName +
                  "); name it with --server or EBANK_TXNDB_SERVER");
}

}  // namespace ebank::tool
