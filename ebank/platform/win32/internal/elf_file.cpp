#include "ebank/platform/win32/internal/elf_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace ebank::platform {

ElfFile::ElfFile(const char* path) {
  if (path == nullptr) return;
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  fd_ = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info {};
  if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
    ::close(fd_);
    fd_ = -1;
  }
  if (fd_ >= 0) size_ = static_cast<std::uint64_t>(info.st_size);
}

ElfFile::~ElfFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool ElfFile::Read(std::uint64_t offset, void* out, std::uint64_t length) const {
  if (fd_ < 0 || offset > size_ || length > size_ - offset) return false;
  auto* bytes = static_cast<char*>(out);
  while (length > 0) {
    const ssize_t got = ::pread(fd_, bytes, length, static_cast<off_t>(offset));
    if (got <= 0) return false;
    bytes += got;
    offset += static_cast<std::uint64_t>(got);
    length -= static_cast<std::uint64_t>(got);
  }
  return true;
}

bool ElfFile::ReadHeader(Elf64_Ehdr* header) const {
  return Read(0, header, sizeof *header) && std::memcmp(header->e_ident, ELFMAG, SELFMAG) == 0 &&
         header->e_ident[EI_CLASS] == ELFCLASS64 && header->e_ident[EI_DATA] == ELFDATA2LSB;
}

}  // namespace ebank::platform
