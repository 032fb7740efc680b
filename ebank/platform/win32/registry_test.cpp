#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"
#include "ebank/platform/win32/testing/scoped_environment_variable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr char kRegistry[] = R"(Windows Registry Editor Version 5.00

; the settings of the banking module
[HKEY_LOCAL_MACHINE\SOFTWARE\Brantel\MIRA]
"ZEB32DIR"="C:\\Programme\\Mira\\"
"TraceLevel"=dword:0000000f
"Quote"="say \"hi\""
@="default text"
"Blob"=hex:01,02,\
  ff
"Path"=hex(2):41,00,42,00,00,00

[HKEY_CLASSES_ROOT\Test.Object\CLSID]
@="{11111111-2222-3333-4444-555555555555}"
)";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ebank::platform::LoadRegistryForTesting(kRegistry); }
  void TearDown() override { ebank::platform::ResetRegistryForTesting(); }

  static HKEY OpenMira() {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\BRANTEL\\mira", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    return key;
  }

  static std::string QueryText(HKEY key, const char* name) {
    char buffer[256] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, std::char_traits<char>::length(buffer) + 1);
    return buffer;
  }
};

TEST_F(RegistryTest, ReadsTextsWithEscapesAndNamesIgnoringCase) {
  HKEY key = OpenMira();
  EXPECT_EQ(QueryText(key, "zeb32dir"), "C:\\Programme\\Mira\\");
  EXPECT_EQ(QueryText(key, "Quote"), "say \"hi\"");
  EXPECT_EQ(QueryText(key, nullptr), "default text");
  EXPECT_EQ(QueryText(key, ""), "default text");
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ReadsDwordBinaryAndExpandTexts) {
  HKEY key = OpenMira();
  DWORD level = 0;
  DWORD size = sizeof level;
  DWORD type = 0;
  ASSERT_EQ(
      RegQueryValueExA(key, "TraceLevel", nullptr, &type, reinterpret_cast<LPBYTE>(&level), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(level, 15u);

  BYTE blob[8] = {};
  size = sizeof blob;
  ASSERT_EQ(RegQueryValueExA(key, "Blob", nullptr, &type, blob, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  ASSERT_EQ(size, 3u);
  EXPECT_EQ(blob[2], 0xFF);

  char path[8] = {};
  size = sizeof path;
  ASSERT_EQ(RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<LPBYTE>(path), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_EXPAND_SZ);
  EXPECT_STREQ(path, "AB");
  RegCloseKey(key);
}

TEST_F(RegistryTest, SizeQueryAndShortBufferReportTheNeededSize) {
  HKEY key = OpenMira();
  DWORD size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "ZEB32DIR", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 19u);
  char small[4] = {'x', 'x', 'x', 'x'};
  size = sizeof small;
  EXPECT_EQ(
      RegQueryValueExA(key, "ZEB32DIR", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &size),
      ERROR_MORE_DATA);
  EXPECT_EQ(size, 19u);
  EXPECT_EQ(
      RegQueryValueExA(key, "ZEB32DIR", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), nullptr),
      ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(RegistryTest, MissingKeysValuesAndBadHandlesAnswerAsWindows) {
  HKEY key = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Nobody", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, nullptr),
            ERROR_INVALID_PARAMETER);

  key = OpenMira();
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "ZEB32DATA", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  HKEY parent = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &parent), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(parent, "ZEB32DIR", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(parent);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExA(key, "ZEB32DIR", nullptr, nullptr, nullptr, &size),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(0x1234), "x", 0, KEY_READ, &key),
            ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, OpenHandlesSurviveAReload) {
  HKEY key = OpenMira();
  ebank::platform::LoadRegistryForTesting("REGEDIT4\n");
  EXPECT_EQ(QueryText(key, "ZEB32DIR"), "C:\\Programme\\Mira\\");
  HKEY again = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brantel\\MIRA", 0, KEY_READ, &again),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST(RegistryFileTest, MalformedLinesAreSkippedAndReportedOnceWithFileAndLine) {
  const auto path = std::filesystem::path(::testing::TempDir()) / "ebank-registry-test.reg";
  std::ofstream(path) << "REGEDIT4\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n"
                         "\"Good\"=\"1\"\n"
                         "\"Broken\"=dword:xyz\n"
                         "\"Also\"=\"2\"\n"
                         "[HKEY_CURRENT_USER\\Y]\n"
                         "\"Lost\"=\"3\"\n";
  {
    ebank::platform::ScopedEnvironmentVariable registry("EBANK_REGISTRY", path.c_str());
    ebank::platform::ResetRegistryForTesting();

    ::testing::internal::CaptureStderr();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\X", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Also", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "Broken", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    const std::string errors = ::testing::internal::GetCapturedStderr();

    EXPECT_NE(errors.find(path.string() + ":4:"), std::string::npos) << errors;
    EXPECT_NE(errors.find(path.string() + ":6:"), std::string::npos) << errors;
    EXPECT_EQ(errors.find(":7:"), std::string::npos) << "values of a skipped key are not reported";
    EXPECT_EQ(errors.find(":4:"), errors.rfind(":4:")) << "reported once";
  }
  // The registry of the test environment again.
  ebank::platform::ResetRegistryForTesting();
  std::filesystem::remove(path);
}

// A file with a bad line on every other line lists the first 20 and counts
// the rest in one last line, and still loads what it can read.
TEST(RegistryFileTest, ManyMalformedLinesAreListedUpToTwentyThenCounted) {
  std::string text = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n";
  for (int line = 0; line < 25; ++line) text += "junk\n\"v\"=\"kept\"\n";

  ::testing::internal::CaptureStderr();
  ebank::platform::LoadRegistryForTesting(text);
  const std::string errors = ::testing::internal::GetCapturedStderr();

  EXPECT_NE(errors.find(":3: unrecognised line; line skipped"), std::string::npos) << errors;
  EXPECT_NE(errors.find(":41: unrecognised line; line skipped"), std::string::npos) << errors;
  EXPECT_EQ(errors.find(":43:"), std::string::npos) << errors;
  EXPECT_NE(errors.find("<test registry>: 5 more lines skipped, not listed\n"), std::string::npos)
      << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 21) << errors;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  RegCloseKey(key);
  ebank::platform::ResetRegistryForTesting();
}

TEST(RegistryFileTest, MissingFileOrHeaderGivesAnEmptyRegistry) {
  ebank::platform::ResetRegistryForTesting();
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);

  ::testing::internal::CaptureStderr();
  ebank::platform::LoadRegistryForTesting("[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\"a\"=\"b\"\n");
  EXPECT_NE(::testing::internal::GetCapturedStderr().find(":1:"), std::string::npos);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  ebank::platform::ResetRegistryForTesting();
}

// A key may lie 512 levels below its hive. A deeper one is refused and
// reported like any unreadable line, its values with it, and the rest of the
// file loads; a key 100,000 levels deep takes one pass over its line.
TEST(RegistryFileTest, KeysDeeperThan512LevelsAreRefused) {
  std::string deepest = "SOFTWARE";
  for (int level = 2; level <= 512; ++level) deepest += "\\K";
  std::string hostile = "SOFTWARE";
  for (int level = 2; level <= 100000; ++level) hostile += "\\x";
  const std::string text =
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE\\" +
      deepest +
      "]\n\"v\"=\"512\"\n"
      "[HKEY_LOCAL_MACHINE\\" +
      deepest +
      "\\K]\n\"v\"=\"513\"\n"
      "[HKEY_LOCAL_MACHINE\\" +
      hostile +
      "]\n\"v\"=\"lost\"\n"
      "[-HKEY_LOCAL_MACHINE\\" +
      hostile +
      "]\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\After]\n\"v\"=\"kept\"\n";

  ::testing::internal::CaptureStderr();
  const auto start = std::chrono::steady_clock::now();
  ebank::platform::LoadRegistryForTesting(text);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  const std::string errors = ::testing::internal::GetCapturedStderr();
  for (const char* line : {":4: key deeper than 512 levels; line skipped",
                           ":6: key deeper than 512 levels; line skipped",
                           ":8: key deeper than 512 levels; line skipped"}) {
    EXPECT_NE(errors.find(line), std::string::npos) << errors.substr(0, 400);
  }
  EXPECT_EQ(errors.find(":5:"), std::string::npos) << "values of a refused key are not reported";

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, deepest.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  char value[8] = {};
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "v", nullptr, nullptr, reinterpret_cast<LPBYTE>(value), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, "512");
  HKEY deeper = nullptr;
  EXPECT_EQ(RegOpenKeyExA(key, "K", 0, KEY_READ, &deeper), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\x", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND)
      << "a refused key leaves no parents behind";
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\After", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  ebank::platform::ResetRegistryForTesting();
}

}  // namespace
