#include "tests/tool/tool_runner.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ebank::tool_test {
namespace {

constexpr unsigned kTimeoutSeconds = 120;

}  // namespace

ScratchDirectory::ScratchDirectory() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "ebank-tool-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDirectory::Write(const std::string& name, const std::string& content) const {
  const std::string path = path_ + "/" + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string ScratchDirectory::Read(const std::string& name) const {
  std::ifstream file(path_ + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

RunOptions WithInput(std::string input) {
  RunOptions options;
  options.input = std::move(input);
  return options;
}

RunOptions WithVariable(std::string name, std::string value) {
  RunOptions options;
  options.environment.emplace_back(std::move(name), std::move(value));
  return options;
}

RunOptions WithMergedOutput() {
  RunOptions options;
  options.merge_output = true;
  return options;
}

ToolResult RunTool(const ScratchDirectory& directory, const std::vector<std::string>& arguments,
                   const RunOptions& options) {
  const std::string in = directory.Write(".stdin", options.input);
  const std::string out = directory.path() + "/.stdout";
  const std::string err = directory.path() + "/.stderr";
  std::vector<char*> argv{const_cast<char*>(EBANK_TOOL_PATH)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const pid_t child = fork();
  if (child == 0) {
    const int in_fd = open(in.c_str(), O_RDONLY);
    const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in_fd < 0 || out_fd < 0 || err_fd < 0 || chdir(directory.path().c_str()) != 0) _exit(127);
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(options.merge_output ? out_fd : err_fd, 2);
    alarm(kTimeoutSeconds);  // kept across execv; its signal ends the tool
    setenv("TMPDIR", directory.path().c_str(), 1);
    for (const auto& [name, value] : options.environment) setenv(name.c_str(), value.c_str(), 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) throw std::runtime_error("no child");
  ToolResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = directory.Read(".stdout");
  result.err = directory.Read(".stderr");
  return result;
}

}  // namespace ebank::tool_test
