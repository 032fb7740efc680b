#include "ebank/platform/win32/internal/module_image_check.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

#include "ebank/platform/win32/internal/elf_file.h"

namespace ebank::platform {
namespace {

// The end of `offset + length`, saturating instead of wrapping.
std::uint64_t EndOf(std::uint64_t offset, std::uint64_t length) {
  return length > UINT64_MAX - offset ? UINT64_MAX : offset + length;
}

// The number of bytes the program header table and every segment's file
// contents need; 0 when the table cannot be read as such.
std::uint64_t BytesDescribed(const ElfFile& file, const Elf64_Ehdr& header) {
  if (header.e_phentsize != sizeof(Elf64_Phdr)) return 0;
  const std::uint64_t table_size = std::uint64_t{header.e_phnum} * sizeof(Elf64_Phdr);
  std::uint64_t needed = EndOf(header.e_phoff, table_size);
  for (std::uint16_t i = 0; i < header.e_phnum; ++i) {
    Elf64_Phdr segment{};
    if (!file.Read(header.e_phoff + i * sizeof segment, &segment, sizeof segment)) break;
    if (segment.p_filesz > 0) needed = std::max(needed, EndOf(segment.p_offset, segment.p_filesz));
  }
  return needed;
}

}  // namespace

std::string ModuleImageProblem(const char* path) {
  struct stat info {};
  if (path == nullptr || ::stat(path, &info) != 0) return {};
  if (!S_ISREG(info.st_mode)) return std::string(path) + " is not a regular file";
  const ElfFile file(path);
  Elf64_Ehdr header{};
  if (!file.ReadHeader(&header)) return {};
  const std::uint64_t needed = BytesDescribed(file, header);
  if (needed <= file.size()) return {};
  return std::string(path) + " is truncated: its program headers describe " +
         std::to_string(needed) + " bytes, the file holds " + std::to_string(file.size());
}

}  // namespace ebank::platform
