// Layout of the `.ebank.rsrc` section that carries a module's resources, shared
// by the build-time packer and the reader. All integers are little-endian.
//
//   header   magic "ERSC", u16 format version, u16 0, u32 entry count,
//            u32 size of the whole section
//   entries  entry count x { u32 type, u32 name, u16 language, u16 0,
//                            u32 data offset, u32 data size }
//   pool     names (NUL-terminated) and resource data, at the offsets above
//
// A type or name below 0x10000 is an integer id; one with kNamedReference set
// is the offset of a NUL-terminated text in the section. A version resource
// (type 16, name 1) holds a version block:
//
//   magic "EBVI", u16 format version, u16 translation count, u32 string count,
//   u32 size of the whole block, translation count x { u16 language,
//   u16 code page }, string count x { u16 language, u16 code page,
//   u16 name size, u16 value size, name, value } (texts NUL-terminated, sizes
//   counting the NUL).
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_RESOURCE_FORMAT_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_RESOURCE_FORMAT_H_

#include <cstdint>

namespace ebank::platform::rsrc {

inline constexpr char kSectionName[] = ".ebank.rsrc";
inline constexpr char kSectionMagic[4] = {'E', 'R', 'S', 'C'};
inline constexpr std::uint16_t kSectionFormat = 1;
inline constexpr std::uint32_t kHeaderSize = 16;
inline constexpr std::uint32_t kEntrySize = 20;
inline constexpr std::uint32_t kNamedReference = 0x80000000u;
// Longest resource or type name, in bytes without the NUL.
inline constexpr std::uint32_t kMaxNameLength = 255;

inline constexpr char kVersionMagic[4] = {'E', 'B', 'V', 'I'};
inline constexpr std::uint16_t kVersionFormat = 1;
inline constexpr std::uint32_t kVersionHeaderSize = 16;
inline constexpr std::uint32_t kVersionStringHeaderSize = 8;

inline constexpr std::uint16_t kStringType = 6;
inline constexpr std::uint16_t kRcDataType = 10;
inline constexpr std::uint16_t kVersionType = 16;
inline constexpr std::uint16_t kVersionName = 1;
// Language and code page of the version texts: US English, Western code page.
inline constexpr std::uint16_t kVersionLanguage = 0x0409;
inline constexpr std::uint16_t kVersionCodePage = 1252;

}  // namespace ebank::platform::rsrc

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_RESOURCE_FORMAT_H_
