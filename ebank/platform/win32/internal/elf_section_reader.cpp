#include "ebank/platform/win32/internal/elf_section_reader.h"

#include <cstring>

#include "ebank/platform/win32/internal/elf_file.h"

namespace ebank::platform {
namespace {

bool ReadSupportedHeader(const ElfFile& file, Elf64_Ehdr* header) {
  return file.ReadHeader(header) && header->e_shentsize == sizeof(Elf64_Shdr);
}

// Section headers, with the extended numbering of files that have more than
// 0xff00 sections (count and name table index then live in section 0).
bool ReadSectionHeaders(const ElfFile& file, const Elf64_Ehdr& header,
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

// Sizes are checked against the file before anything is allocated, so a
// small hostile file cannot make the reader reserve what it does not hold.
bool ReadContents(const ElfFile& file, const Elf64_Shdr& section, std::vector<BYTE>* bytes) {
  if (section.sh_type == SHT_NOBITS || section.sh_size > kMaxElfSectionSize ||
      section.sh_offset > file.size() || section.sh_size > file.size() - section.sh_offset) {
    return false;
  }
  bytes->resize(section.sh_size);
  return file.Read(section.sh_offset, bytes->data(), section.sh_size);
}

}  // namespace

ElfSection ReadElfSection(const char* path, std::string_view name) {
  ElfSection result;
  if (path == nullptr) return result;
  const ElfFile file(path);
  if (!file.is_open()) return result;
  result.status = ElfReadStatus::kNotElf;
  Elf64_Ehdr header{};
  std::vector<Elf64_Shdr> sections;
  size_t names_index = 0;
  std::vector<BYTE> names;
  if (!ReadSupportedHeader(file, &header) ||
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
