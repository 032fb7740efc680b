// The tool's commands. Each Add...Command function adds its subcommand, with
// its options and help, to the application and returns the subcommand with
// the function that runs it once the command line has been parsed.
#ifndef EBANK_TOOLS_EBANK_COMMAND_H_
#define EBANK_TOOLS_EBANK_COMMAND_H_

#include <functional>

namespace CLI {
class App;
}  // namespace CLI

namespace ebank::tool {

struct Command {
  CLI::App* app;
  std::function<int()> run;  // returns the exit code; failures throw ToolError
};

Command AddAccountCommand(CLI::App& app);
Command AddAmountCommand(CLI::App& app);
Command AddDateCommand(CLI::App& app);
Command AddDbCommand(CLI::App& app);
Command AddDemoCommand(CLI::App& app);
Command AddRsaCommand(CLI::App& app);
Command AddTraceCommand(CLI::App& app);
Command AddXmlCommand(CLI::App& app);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_COMMAND_H_
