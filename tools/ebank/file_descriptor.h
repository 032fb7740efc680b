// FileDescriptor: an open file descriptor that closes itself when it goes out
// of scope; opening that does not wait for a FIFO's writer to appear, and
// reads and writes that do not stop short.
#ifndef EBANK_TOOLS_EBANK_FILE_DESCRIPTOR_H_
#define EBANK_TOOLS_EBANK_FILE_DESCRIPTOR_H_

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <utility>

namespace ebank::tool {

class FileDescriptor {
 public:
  // Opens `path` for reading. A FIFO is opened without waiting for a writer,
  // so one that has none reads as empty instead of hanging. On failure the
  // object holds nothing (get() < 0) and errno says why.
  static FileDescriptor OpenForReading(const std::string& path);

  // Takes `fd` over; a negative value (a failed open) holds nothing.
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor& operator=(FileDescriptor&&) = delete;
  ~FileDescriptor();

  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads from `fd` until `size` bytes are in or the file ends, retrying short
// and interrupted reads. Returns the count read, or -1 on a read error (errno
// says which).
ssize_t ReadUpTo(int fd, void* buffer, std::size_t size);

// Writes all `size` bytes to `fd`, retrying short and interrupted writes;
// false on a write error.
bool WriteAll(int fd, const void* buffer, std::size_t size);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_FILE_DESCRIPTOR_H_
