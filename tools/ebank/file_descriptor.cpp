#include "tools/ebank/file_descriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace ebank::tool {

FileDescriptor FileDescriptor::OpenForReading(const std::string& path) {
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  // Reads wait for data again; the flag was only there for the open.
  if (file.get() >= 0) fcntl(file.get(), F_SETFL, fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
  return file;
}

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) close(fd_);
}

ssize_t ReadUpTo(int fd, void* buffer, std::size_t size) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = read(fd, bytes + done, size - done);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    done += static_cast<std::size_t>(count);
  }
  return static_cast<ssize_t>(done);
}

bool WriteAll(int fd, const void* buffer, std::size_t size) {
  const auto* bytes = static_cast<const char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = write(fd, bytes + done, size - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

}  // namespace ebank::tool
