// A module file opened for reading its ELF structures at given offsets, each
// read checked against the file's size, so damaged or hostile files give
// nothing instead of a read past their end.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_ELF_FILE_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_ELF_FILE_H_

#include <elf.h>

#include <cstdint>

namespace ebank::platform {

class ElfFile {
 public:
  // Opens `path` if it names a regular file; never waits on a FIFO or device.
  explicit ElfFile(const char* path);
  ~ElfFile();
  ElfFile(const ElfFile&) = delete;
  ElfFile& operator=(const ElfFile&) = delete;

  bool is_open() const { return fd_ >= 0; }
  std::uint64_t size() const { return size_; }

  // Reads exactly `length` bytes at `offset`; false when they are not all
  // inside the file.
  bool Read(std::uint64_t offset, void* out, std::uint64_t length) const;
  // Reads the file header of a 64-bit little-endian ELF file; false for any
  // other file.
  bool ReadHeader(Elf64_Ehdr* header) const;

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_ELF_FILE_H_
