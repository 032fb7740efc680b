// Finds the shared object of the reference transaction database server.
#ifndef EBANK_TOOLS_EBANK_SERVER_LOCATION_H_
#define EBANK_TOOLS_EBANK_SERVER_LOCATION_H_

#include <string>

namespace ebank::tool {

// The file name of the server next to the tool.
inline constexpr const char* kServerFileName = "libebanktxndb.so";

// The help text of the commands' --server option.
inline constexpr const char* kServerOptionHelp =
    "the server's shared object (default: $EBANK_TXNDB_SERVER, else the one installed or built "
    "with the tool)";

// The server's path: `chosen` when not empty, else $EBANK_TXNDB_SERVER, else
// the installed server relative to an installed tool, else the path the build
// recorded, else the server next to the tool. Throws ToolError when the file
// found does not exist.
std::string FindTxnDbServer(const std::string& chosen);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_SERVER_LOCATION_H_
