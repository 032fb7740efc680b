// Reads the text a command works on from a file or, for "-", from standard
// input, within a size bound, and refuses what a command cannot take whole:
// nothing at all, more than the bound, or text cut short by a NUL byte.
#ifndef EBANK_TOOLS_EBANK_INPUT_H_
#define EBANK_TOOLS_EBANK_INPUT_H_

#include <cstddef>
#include <string>

namespace ebank::tool {

// The most the tool reads from one input: far above any banking document, and
// low enough that /dev/zero or a runaway pipe ends in a message instead of
// exhausting memory.
inline constexpr std::size_t kMaxInputBytes = std::size_t{64} << 20;

// The whole file ("-": standard input) as bytes of UTF-8 text. Throws
// ToolError when it cannot be read, is empty, holds more than kMaxInputBytes
// or holds a NUL byte (whatever follows it would be lost).
std::string ReadInput(const std::string& path);

// Checks a file that the library then loads itself, honouring its encoding:
// a readable regular file (the library reads it again), not empty, within
// kMaxInputBytes, without a NUL byte unless its first four bytes show a
// UTF-16 or UTF-32 text. Throws ToolError otherwise.
void CheckInputFile(const std::string& path);

// Why `path` cannot be opened for reading, in the system's words ("Is a
// directory" for a directory); empty when it can.
std::string UnreadableReason(const std::string& path);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_INPUT_H_
