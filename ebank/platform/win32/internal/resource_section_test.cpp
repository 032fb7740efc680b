#include "ebank/platform/win32/internal/resource_section.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "ebank/platform/win32/internal/elf_section_reader.h"
#include "ebank/platform/win32/internal/resource_format.h"
#include "ebank/platform/win32/version_info.h"

namespace ebank::platform {
namespace {

void Put32(std::vector<BYTE>& out, DWORD value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// A section with an XSL sheet 101 (named type), an RCDATA "KEY" and string 7.
std::vector<BYTE> SampleSection() {
  std::vector<BYTE> out(rsrc::kSectionMagic, rsrc::kSectionMagic + 4);
  out.insert(out.end(), {1, 0, 0, 0});
  Put32(out, 3);
  Put32(out, 0);
  const DWORD pool = rsrc::kHeaderSize + 3 * rsrc::kEntrySize;
  const DWORD xsl = pool, key = pool + 4, sheet = pool + 8, record = pool + 12, text = pool + 15;
  const DWORD entries[3][5] = {
      {xsl | rsrc::kNamedReference, 101, 0, sheet, 4},
      {10, key | rsrc::kNamedReference, 0x0409, record, 3},
      {6, 7, 0, text, 5},
  };
  for (const auto& entry : entries) {
    Put32(out, entry[0]);
    Put32(out, entry[1]);
    Put32(out, entry[2]);
    Put32(out, entry[3]);
    Put32(out, entry[4]);
  }
  for (const char* part : {"XSL", "KEY"}) out.insert(out.end(), part, part + 4);
  out.insert(out.end(), {'<', 'x', '/', '>'});
  out.insert(out.end(), {0xDE, 0xAD, 0xBF, 'h', 'e', 'l', 'l', 'o'});
  for (int i = 0; i < 4; ++i) out[12 + i] = static_cast<BYTE>(out.size() >> (8 * i));
  return out;
}

TEST(ResourceSectionTest, FindsByIdNameAndLanguage) {
  const auto section = ResourceSection::Parse(SampleSection());
  ASSERT_NE(section, nullptr);
  auto miss = ResourceSection::Miss::kNone;
  const auto* sheet =
      section->Find(*ResourceKey::From("xsl"), *ResourceKey::From("#101"), {}, &miss);
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(sheet->data), sheet->size), "<x/>");

  const auto rcdata = *ResourceKey::From(reinterpret_cast<const char*>(10));
  const auto* record = section->Find(rcdata, *ResourceKey::From("Key"), {}, &miss);
  ASSERT_NE(record, nullptr) << "the US English entry is the fallback of the default choice";
  EXPECT_EQ(record->size, 3u);
  EXPECT_EQ(section->Find(rcdata, *ResourceKey::From("KEY"), WORD{0x0407}, &miss), nullptr);
  EXPECT_EQ(miss, ResourceSection::Miss::kLanguage);
  EXPECT_EQ(section->Find(rcdata, *ResourceKey::From("OTHER"), {}, &miss), nullptr);
  EXPECT_EQ(miss, ResourceSection::Miss::kName);
  EXPECT_EQ(section->Find(*ResourceKey::From("HTML"), *ResourceKey::From("KEY"), {}, &miss),
            nullptr);
  EXPECT_EQ(miss, ResourceSection::Miss::kType);
  EXPECT_TRUE(section->Owns(record));
  EXPECT_FALSE(section->Owns(reinterpret_cast<const BYTE*>(record) + 1));
}

TEST(ResourceSectionTest, RejectsBadNames) {
  EXPECT_FALSE(ResourceKey::From(nullptr));
  EXPECT_FALSE(ResourceKey::From(""));
  EXPECT_FALSE(ResourceKey::From("#"));
  EXPECT_FALSE(ResourceKey::From("#0"));
  EXPECT_FALSE(ResourceKey::From("#65536"));
  EXPECT_FALSE(ResourceKey::From("#12a"));
  EXPECT_FALSE(ResourceKey::From(std::string(300, 'n').c_str()));
  EXPECT_EQ(ResourceKey::From("#65535")->id, 65535);
}

// Every entry of a section that parses must lie inside it, whatever the bytes.
void ExpectSafe(std::vector<BYTE> bytes) {
  const auto section = ResourceSection::Parse(bytes);
  if (!section) return;
  auto miss = ResourceSection::Miss::kNone;
  for (const char* type : {"XSL", "#10", "#6"}) {
    for (const char* name : {"#101", "KEY", "#7"}) {
      if (const auto* entry =
              section->Find(*ResourceKey::From(type), *ResourceKey::From(name), {}, &miss)) {
        volatile BYTE sum = 0;
        for (DWORD i = 0; i < entry->size; ++i) sum = sum + entry->data[i];
      }
    }
  }
}

TEST(ResourceSectionTest, HostileBytesNeverCrash) {
  const std::vector<BYTE> good = SampleSection();
  for (size_t length = 0; length < good.size(); ++length) {
    ExpectSafe(std::vector<BYTE>(good.begin(), good.begin() + static_cast<long>(length)));
  }
  std::mt19937 random(42);
  for (int round = 0; round < 20000; ++round) {
    std::vector<BYTE> bytes = good;
    for (int flips = 1 + round % 4; flips > 0; --flips) {
      bytes[random() % bytes.size()] = static_cast<BYTE>(random());
    }
    ExpectSafe(std::move(bytes));
  }
  std::vector<BYTE> short_size = good;  // a size below the header once wrapped the entry count
  short_size[12] = rsrc::kHeaderSize - 1;
  short_size[13] = short_size[14] = short_size[15] = 0;
  EXPECT_EQ(ResourceSection::Parse(short_size), nullptr);
}

TEST(ElfSectionReaderTest, DamagedFilesGiveNothing) {
  std::ifstream self("/proc/self/exe", std::ios::binary);
  const std::vector<char> image((std::istreambuf_iterator<char>(self)), {});
  ASSERT_GT(image.size(), 64u);
  const auto path = std::filesystem::path(::testing::TempDir()) / "ebank-damaged-elf";
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<char> bytes(image.begin(),
                            image.begin() + static_cast<long>(round % 3 == 0 ? 64 : image.size()));
    for (int flips = 0; flips < 4; ++flips) bytes[random() % 64] = static_cast<char>(random());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
    ElfSection read = ReadElfSection(path.c_str(), rsrc::kSectionName);
    EXPECT_LE(read.bytes.size(), kMaxElfSectionSize);
    DWORD handle = 1;
    EXPECT_EQ(GetFileVersionInfoSizeA(path.c_str(), &handle), 0u);
    EXPECT_EQ(handle, 0u);
  }
  std::filesystem::remove(path);
  EXPECT_EQ(ReadElfSection("/nonexistent/file", ".text").status, ElfReadStatus::kNoFile);
  EXPECT_EQ(ReadElfSection("/proc/self/exe", ".text").status, ElfReadStatus::kOk);
  EXPECT_EQ(ReadElfSection("/proc/self/exe", ".no.such").status, ElfReadStatus::kNoSection);
}

}  // namespace
}  // namespace ebank::platform
