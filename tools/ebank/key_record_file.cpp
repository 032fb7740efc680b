#include "tools/ebank/key_record_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "ebank/crypto/rsa_keys.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads up to `size` bytes, retrying short reads; returns the count read.
std::size_t ReadFully(int fd, std::uint8_t* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = read(fd, bytes + done, size - done);
    if (count <= 0) break;
    done += static_cast<std::size_t>(count);
  }
  return done;
}

}  // namespace

void ReadKeyRecord(const std::string& path, void* record, std::size_t size) {
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) throw ToolError("cannot read the key file '" + path + "'");
  if (ReadFully(file.get(), static_cast<std::uint8_t*>(record), size) != size) {
    throw ToolError("'" + path + "' is shorter than a key record of " + std::to_string(size) +
                    " bytes");
  }
  std::uint16_t bits = 0;
  std::memcpy(&bits, record, sizeof bits);
  if (bits == 0 || bits > ovEBankCrypto::kMaxModulusBits) {
    throw ToolError("'" + path + "' is not a key record (modulus of " + std::to_string(bits) +
                    " bits)");
  }
}

void WriteKeyRecord(const std::string& path, const void* record, std::size_t size, bool secret) {
  const FileDescriptor file(
      open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, secret ? 0600 : 0644));
  if (file.get() < 0 || write(file.get(), record, size) != static_cast<ssize_t>(size)) {
    throw ToolError("cannot write the key file '" + path + "'");
  }
}

}  // namespace ebank::tool
