// Writes a registry file that registers the transaction database server for
// the ProgID "Brantel.OrvTxnDB" and, optionally, the settings key with the
// installation and data directories and the trace mask.
#ifndef EBANK_TOOLS_EBANK_SERVER_REGISTRY_H_
#define EBANK_TOOLS_EBANK_SERVER_REGISTRY_H_

#include <optional>
#include <string>

#include "ebank/platform/types.h"

namespace ebank::tool {

struct TraceSettings {
  std::string directory;  // ZEB32DIR and ZEB32DATA
  DWORD mask;             // TraceLevel
};

// Writes the file and points $EBANK_REGISTRY at it; throws ToolError when the
// file cannot be written.
void WriteServerRegistry(const std::string& file, const std::string& server,
                         const std::optional<TraceSettings>& trace);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_SERVER_REGISTRY_H_
