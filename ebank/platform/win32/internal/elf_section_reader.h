// Reads one named section of an ELF file from disk, without loading the file.
// Every header field is checked against the file, so damaged or hostile files
// give nothing instead of a crash.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_ELF_SECTION_READER_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_ELF_SECTION_READER_H_

#include <optional>
#include <string_view>
#include <vector>

#include "ebank/platform/types.h"

namespace ebank::platform {

// Largest section read (resources are small; this bounds hostile sizes).
inline constexpr size_t kMaxElfSectionSize = 64u << 20;

enum class ElfReadStatus { kOk, kNoFile, kNotElf, kNoSection };

struct ElfSection {
  ElfReadStatus status = ElfReadStatus::kNoFile;
  std::vector<BYTE> bytes;
};

// The contents of section `name` of the 64-bit little-endian ELF file `path`.
ElfSection ReadElfSection(const char* path, std::string_view name);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_ELF_SECTION_READER_H_
