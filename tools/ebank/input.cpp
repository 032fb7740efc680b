#include "tools/ebank/input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "tools/ebank/file_descriptor.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

// Bytes asked of each read; the text grows by at most this much at a time.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

// "standard input" or "'<path>'", as messages name an input.
std::string InputName(const std::string& path) {
  return path == "-" ? "standard input" : "'" + path + "'";
}

[[noreturn]] void FailToRead(const std::string& path, int error_number) {
  throw ToolError("cannot read " + InputName(path) + ": " + std::strerror(error_number));
}

bool IsRegularFile(int fd) {
  struct stat info {};
  return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// 0 when `file` is open and no directory, else the error number that says why
// it cannot be read.
int OpenError(const FileDescriptor& file) {
  if (file.get() < 0) return errno;
  struct stat info {};
  if (fstat(file.get(), &info) != 0) return errno;
  return S_ISDIR(info.st_mode) ? EISDIR : 0;
}

// Opens a named input; a directory is refused at once, with the system's text.
FileDescriptor Open(const std::string& path) {
  FileDescriptor file = FileDescriptor::OpenForReading(path);
  if (const int error_number = OpenError(file); error_number != 0) FailToRead(path, error_number);
  return file;
}

// Reads to the end of `fd`, but never more than kMaxInputBytes + 1 bytes, so
// that an endless source stops at the bound instead of filling memory.
std::string ReadBounded(int fd, const std::string& path) {
  std::string bytes;
  for (;;) {
    const std::size_t old_size = bytes.size();
    const std::size_t wanted = std::min(kChunkBytes, kMaxInputBytes + 1 - old_size);
    bytes.resize(old_size + wanted);
    const ssize_t count = ReadUpTo(fd, bytes.data() + old_size, wanted);
    if (count < 0) FailToRead(path, errno);
    bytes.resize(old_size + static_cast<std::size_t>(count));
    if (static_cast<std::size_t>(count) < wanted) return bytes;
    if (bytes.size() > kMaxInputBytes) {
      throw ToolError(InputName(path) + " holds more than 64 MiB, the most the tool reads");
    }
  }
}

// Refuses an empty text, and one with a NUL byte unless `nul_allowed`.
void CheckText(const std::string& bytes, const std::string& path, bool nul_allowed = false) {
  if (bytes.empty()) throw ToolError(InputName(path) + " is empty");
  const std::size_t nul = bytes.find('\0');
  if (nul != std::string::npos && !nul_allowed) {
    throw ToolError(InputName(path) + " holds a NUL byte at offset " + std::to_string(nul) +
                    "; text has none, and what follows it would be lost");
  }
}

}  // namespace

std::string ReadInput(const std::string& path) {
  const std::string bytes =
      path == "-" ? ReadBounded(STDIN_FILENO, path) : ReadBounded(Open(path).get(), path);
  CheckText(bytes, path);
  return bytes;
}

void CheckInputFile(const std::string& path) {
  const FileDescriptor file = Open(path);
  if (!IsRegularFile(file.get())) {
    throw ToolError("'" + path + "' is not a regular file; give its content on standard input (-)");
  }
  // UTF-16 and UTF-32 put a NUL byte into the first four bytes of any XML
  // text (its byte order mark or its first character), and the parser
  // decodes them itself; in a byte encoding every NUL is refused.
  const std::string bytes = ReadBounded(file.get(), path);
  CheckText(bytes, path, bytes.find('\0') < 4);
}

std::string UnreadableReason(const std::string& path) {
  const int error_number = OpenError(FileDescriptor::OpenForReading(path));
  return error_number == 0 ? "" : std::strerror(error_number);
}

}  // namespace ebank::tool
