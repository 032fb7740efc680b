#include "tools/ebank/input.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "tools/ebank/tool_error.h"

namespace ebank::tool {

std::string ReadInput(const std::string& path) {
  std::ostringstream text;
  if (path == "-") {
    text << std::cin.rdbuf();
    return text.str();
  }
  std::ifstream file(path, std::ios::binary);
  if (!file || !(text << file.rdbuf())) throw ToolError("cannot read '" + path + "'");
  return text.str();
}

}  // namespace ebank::tool
