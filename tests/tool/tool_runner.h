// Runs the built ebank tool as a child process in a scratch directory and
// collects its exit code, standard output and standard error.
#ifndef EBANK_TESTS_TOOL_TOOL_RUNNER_H_
#define EBANK_TESTS_TOOL_TOOL_RUNNER_H_

#include <string>
#include <utility>
#include <vector>

namespace ebank::tool_test {

struct ToolResult {
  int exit_code = -1;  // -1 when the tool did not exit normally (a crash)
  std::string out;
  std::string err;
};

// A private temporary directory, removed with its content at the end.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory();

  const std::string& path() const { return path_; }
  // Writes `content` to `name` inside the directory and returns its path.
  std::string Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};

struct RunOptions {
  std::string input;                                             // standard input
  std::vector<std::pair<std::string, std::string>> environment;  // added variables
  bool merge_output = false;  // standard error into `out`, as a shared pipe gets them
};

RunOptions WithInput(std::string input);
RunOptions WithVariable(std::string name, std::string value);
RunOptions WithMergedOutput();

// Runs the tool with `arguments` in `directory`, with TMPDIR set to it. A tool
// that has not ended after two minutes is killed (exit_code -1), so a tool
// that hangs fails its test instead of stopping the suite.
ToolResult RunTool(const ScratchDirectory& directory, const std::vector<std::string>& arguments,
                   const RunOptions& options = {});

}  // namespace ebank::tool_test

#endif  // EBANK_TESTS_TOOL_TOOL_RUNNER_H_
