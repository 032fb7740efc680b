#include "ebank/platform/win32/elf_section_reader.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace ebank::platform {
namespace {

class File {
 public:
  explicit File(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC)) {
    struct stat info {};
    if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) Close();
    if (fd_ >= 0) size_ = static_cast<std::uint64_t>(info.st_size);
  }
  ~File() { Close(); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool ok() const { return fd_ >= 0; }
  std::uint64_t size() const { return size_; }

  // Reads exactly `length` bytes at `offset`, which must lie inside the file.
  bool Read(std::uint64_t offset, void* out, std::uint64_t length) const {
    if (offset > size_ || length > size_ - offset) return false;
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

 private:
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  int fd_ = -1;
  std::uint64_t size_ = 0;
};

bool IsSupportedElf(const Elf64_Ehdr& header) {
  return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 &&
         header.e_ident[EI_CLASS] == ELFCLASS64 && header.e_ident[EI_DATA] == ELFDATA2LSB &&
         header.e_shentsize == sizeof(Elf64_Shdr);
}

// Section headers, with the extended numbering of files that have more than
// 0xff00 sections (count and name table index then live in section 0).
bool ReadSectionHeaders(const File& file, const Elf64_Ehdr& header,
                        std::vector<Elf64_Shdr>* sections, size_t* names_index) {
  Elf64_Shdr first{};
  if (header.e_shoff == 0 || !file.Read(header.e_shoff, &first, sizeof first)) return false;
  const std::uint64_t count = header.e_shnum != 0 ? header.e_shnum : first.sh_size;
  *names_index = header.e_shstrndx != SHN_XINDEX ? header.e_shstrndx : first.sh_link;
  if (count == 0 || count > file.size() / sizeof(Elf64_Shdr) || *names_index >= count) {
    return false;
  }
  sections->resize(count);
  return file.Read(header.e_shoff, sections->data(), count * sizeof(Elf64_Shdr));
}

bool ReadContents(const File& file, const Elf64_Shdr& section, std::vector<BYTE>* bytes) {
  if (section.sh_type == SHT_NOBITS || section.sh_size > kMaxElfSectionSize) return false;
  bytes->resize(section.sh_size);
  return file.Read(section.sh_offset, bytes->data(), section.sh_size);
}

}  // namespace

ElfSection ReadElfSection(const char* path, std::string_view name) {
  ElfSection result;
  if (path == nullptr) return result;
  const File file(path);
  if (!file.ok()) return result;
  result.status = ElfReadStatus::kNotElf;
  Elf64_Ehdr header{};
  std::vector<Elf64_Shdr> sections;
  size_t names_index = 0;
  std::vector<BYTE> names;
  if (!file.Read(0, &header, sizeof header) || !IsSupportedElf(header) ||
      !ReadSectionHeaders(file, header, &sections, &names_index) ||
      !ReadContents(file, sections[names_index], &names)) {
    return result;
  }
  result.status = ElfReadStatus::kNoSection;
  for (const Elf64_Shdr& section : sections) {
    if (section.sh_name >= names.size() || names.size() - section.sh_name < name.size() + 1 ||
        std::memcmp(names.data() + section.sh_name, name.data(), name.size()) != 0 ||
        names[section.sh_name + name.size()] != 0) {
      continue;
    }
    if (ReadContents(file, section, &result.bytes)) result.status = ElfReadStatus::kOk;
    return result;
  }
  return result;
}

}  // namespace ebank::platform
