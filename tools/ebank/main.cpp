// The ebank command-line tool: the library's operations from a shell. main
// registers the commands, parses the command line, initialises COM on the
// thread and runs the chosen command.
#include <cstdlib>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "ebank/core/library_version.h"
#include "ebank/platform/com/apartment.h"
#include "tools/ebank/command.h"
#include "tools/ebank/failure.h"
#include "tools/ebank/input.h"
#include "tools/ebank/output.h"
#include "tools/ebank/tool_error.h"

namespace {

using ebank::tool::Command;

std::vector<Command> AddCommands(CLI::App& app) {
  return {ebank::tool::AddDemoCommand(app),    ebank::tool::AddDbCommand(app),
          ebank::tool::AddAccountCommand(app), ebank::tool::AddAmountCommand(app),
          ebank::tool::AddDateCommand(app),    ebank::tool::AddXmlCommand(app),
          ebank::tool::AddRsaCommand(app),     ebank::tool::AddTraceCommand(app)};
}

// COM initialised on the main thread for the life of the command.
class ComApartment {
 public:
  ComApartment() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (result < 0) {
      throw ebank::tool::ToolError("cannot initialise COM: " + ebank::tool::HResultText(result));
    }
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() { CoUninitialize(); }
};

// The library reads a registry file that it cannot open as an empty
// registry, without a word; the tool says so for the file it was told to use.
void UseRegistry(const std::string& registry) {
  if (registry.empty()) return;
  if (const std::string reason = ebank::tool::UnreadableReason(registry); !reason.empty()) {
    ebank::tool::PrintWarning("cannot read the registry file '" + registry + "' (" + reason +
                              "); going on with an empty registry");
  }
  // The registry is read on first use, so naming it now is in time.
  setenv("EBANK_REGISTRY", registry.c_str(), 1);
}

int RunParsed(const std::vector<Command>& commands, const std::string& registry) {
  UseRegistry(registry);
  const ComApartment apartment;
  for (const Command& command : commands) {
    if (command.app->parsed()) return command.run();
  }
  throw ebank::tool::ToolError("name a command; see ebank --help", ebank::tool::kExitUsage);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"ebank - the online-banking support library from the command line", "ebank"};
  app.set_version_flag("--version", std::string("ebank ") + ebank::LibraryVersion());
  app.require_subcommand(1);
  std::string registry;
  app.add_option("--registry", registry,
                 "the registry file to read (default: $EBANK_REGISTRY, else "
                 "/etc/ebank/registry.reg)");
  const std::vector<Command> commands = AddCommands(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? 0 : ebank::tool::kExitUsage;
  }
  try {
    return RunParsed(commands, registry);
  } catch (const ebank::tool::ToolError& error) {
    ebank::tool::PrintError(error.what());
    return error.ExitCode();
  } catch (...) {
    ebank::tool::PrintError(ebank::tool::DescribeCurrentException().text);
    return ebank::tool::kExitFailure;
  }
}
