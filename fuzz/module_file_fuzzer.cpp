// Fuzzes the readers of module files on disk: the ELF section reader, the
// check made before a module is loaded, and the version resource reader
// behind GetFileVersionInfoA and VerQueryValueA. The first input byte chooses
// what the rest is: a whole file, a resource section, or a version block; the
// last two are wrapped into a minimal ELF file, so that mutations reach deep
// into them instead of breaking the file's outer layers.
#include <elf.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ebank/platform/win32/internal/elf_section_reader.h"
#include "ebank/platform/win32/internal/module_image_check.h"
#include "ebank/platform/win32/internal/resource_format.h"
#include "ebank/platform/win32/internal/resource_section.h"
#include "ebank/platform/win32/version_info.h"
#include "fuzz/fuzz_check.h"

namespace {

namespace rsrc = ebank::platform::rsrc;
using Bytes = std::vector<std::uint8_t>;

enum Mode : std::uint8_t { kWholeFile, kResourceSection, kVersionBlock, kModeCount };

void Put(Bytes& out, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

void PutU32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A resource section holding `block` as the version resource.
Bytes VersionSection(const std::uint8_t* block, std::size_t size) {
  Bytes section(rsrc::kSectionMagic, rsrc::kSectionMagic + 4);
  PutU32(section, rsrc::kSectionFormat);  // format, then the u16 0
  PutU32(section, 1);
  PutU32(section, static_cast<std::uint32_t>(rsrc::kHeaderSize + rsrc::kEntrySize + size));
  PutU32(section, rsrc::kVersionType);
  PutU32(section, rsrc::kVersionName);
  PutU32(section, 0);  // neutral language, then the u16 0
  PutU32(section, rsrc::kHeaderSize + rsrc::kEntrySize);
  PutU32(section, static_cast<std::uint32_t>(size));
  Put(section, block, size);
  return section;
}

// A 64-bit ELF file whose only sections are the name table and `.ebank.rsrc`.
Bytes ElfWith(const Bytes& section) {
  static constexpr char kNames[] = "\0.shstrtab\0.ebank.rsrc";
  Elf64_Ehdr header{};
  std::memcpy(header.e_ident, ELFMAG, SELFMAG);
  header.e_ident[EI_CLASS] = ELFCLASS64;
  header.e_ident[EI_DATA] = ELFDATA2LSB;
  header.e_ident[EI_VERSION] = EV_CURRENT;
  header.e_type = ET_DYN;
  header.e_machine = EM_X86_64;
  header.e_version = EV_CURRENT;
  header.e_ehsize = sizeof header;
  header.e_shentsize = sizeof(Elf64_Shdr);
  header.e_shnum = 3;
  header.e_shstrndx = 1;
  const std::size_t names_at = sizeof header;
  const std::size_t section_at = names_at + sizeof kNames;
  header.e_shoff = section_at + section.size();
  Elf64_Shdr headers[3]{};
  headers[1] = {1, SHT_STRTAB, 0, 0, names_at, sizeof kNames, 0, 0, 1, 0};
  headers[2] = {11, SHT_PROGBITS, 0, 0, section_at, section.size(), 0, 0, 1, 0};
  Bytes file;
  Put(file, &header, sizeof header);
  Put(file, kNames, sizeof kNames);
  Put(file, section.data(), section.size());
  Put(file, headers, sizeof headers);
  return file;
}

// The path of an in-memory file holding `contents`, rewritten for each input.
std::string WriteModuleFile(const Bytes& contents) {
  static const int fd = memfd_create("module", MFD_CLOEXEC);
  EBANK_FUZZ_CHECK(fd >= 0);
  EBANK_FUZZ_CHECK(ftruncate(fd, 0) == 0);
  EBANK_FUZZ_CHECK(pwrite(fd, contents.data(), contents.size(), 0) ==
                   static_cast<ssize_t>(contents.size()));
  return "/proc/self/fd/" + std::to_string(fd);
}

// Every answer of VerQueryValueA lies inside the block it was asked about.
void QueryWithin(const Bytes& block, const char* query) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), query, &value, &length)) return;
  const auto* start = static_cast<const std::uint8_t*>(value);
  EBANK_FUZZ_CHECK(start >= block.data() && start <= block.data() + block.size());
  EBANK_FUZZ_CHECK(length <= static_cast<std::size_t>(block.data() + block.size() - start));
}

void ReadVersion(const char* path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return;
  Bytes block(size);
  EBANK_FUZZ_CHECK(GetFileVersionInfoA(path, handle, size, block.data()));
  QueryWithin(block, "\\VarFileInfo\\Translation");
  QueryWithin(block, "\\StringFileInfo\\040904E4\\ProductVersion");
  QueryWithin(block, "\\StringFileInfo\\040904e4\\FileVersion");
  QueryWithin(block, "\\StringFileInfo\\00000000\\");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto mode = static_cast<Mode>(data[0] % kModeCount);
  const std::uint8_t* rest = data + 1;
  const std::size_t rest_size = size - 1;
  Bytes file;
  if (mode == kWholeFile) file.assign(rest, rest + rest_size);
  if (mode == kResourceSection) file = ElfWith(Bytes(rest, rest + rest_size));
  if (mode == kVersionBlock) file = ElfWith(VersionSection(rest, rest_size));
  const std::string path = WriteModuleFile(file);

  ebank::platform::ElfSection read =
      ebank::platform::ReadElfSection(path.c_str(), rsrc::kSectionName);
  EBANK_FUZZ_CHECK(read.bytes.size() <= file.size());
  if (read.status == ebank::platform::ElfReadStatus::kOk) {
    ebank::platform::ResourceSection::Parse(std::move(read.bytes));
  }
  ebank::platform::ModuleImageProblem(path.c_str());
  ReadVersion(path.c_str());
  return 0;
}
