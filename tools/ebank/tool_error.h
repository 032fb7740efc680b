// ToolError: a failure of a command that the tool reports as one line on
// standard error before it exits with the error's code.
#ifndef EBANK_TOOLS_EBANK_TOOL_ERROR_H_
#define EBANK_TOOLS_EBANK_TOOL_ERROR_H_

#include <stdexcept>
#include <string>

namespace ebank::tool {

// Exit code of a command that ran but failed (bad input, a failing library call).
inline constexpr int kExitFailure = 1;
// Exit code of a command line that does not parse.
inline constexpr int kExitUsage = 2;

class ToolError : public std::runtime_error {
 public:
  explicit ToolError(const std::string& message, int exit_code = kExitFailure)
      : std::runtime_error(message), exit_code_(exit_code) {}
  int ExitCode() const { return exit_code_; }

 private:
  int exit_code_;
};

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_TOOL_ERROR_H_
