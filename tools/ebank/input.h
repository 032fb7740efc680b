// Reads the text a command works on from a file or, for "-", from standard
// input.
#ifndef EBANK_TOOLS_EBANK_INPUT_H_
#define EBANK_TOOLS_EBANK_INPUT_H_

#include <string>

namespace ebank::tool {

// The whole file as bytes; a file that cannot be read throws ToolError.
std::string ReadInput(const std::string& path);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_INPUT_H_
