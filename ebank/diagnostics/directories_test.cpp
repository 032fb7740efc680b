#include "ebank/diagnostics/directories.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/diagnostics/testing/trace_test_fixture.h"

namespace ebank::diagnostics {
namespace {

using ovEBankHelper::g_getZEBDataPath;
using ovEBankHelper::g_getZEBPath;

using DirectoriesTest = TraceTest;

std::string Value(const char* name, const std::string& text) {
  return "\"" + std::string(name) + "\"=\"" + text + "\"\n";
}

TEST_F(DirectoriesTest, TrailingSeparatorIsRemovedFromLongerTexts) {
  const struct {
    std::string stored;
    std::string expected;
  } cases[] = {
      {"/opt/app/", "/opt/app"},
      {"C:\\\\App\\\\", "C:\\App"},
      {"C:\\\\", "C:"},
      {"C:", "C:"},
      {"/a", "/a"},
      {"/", "/"},
      {"/opt/app//", "/opt/app/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    ResetDiagnosticsForTesting();
    LoadSettings(Value("ZEB32DIR", c.stored) + Value("ZEB32DATA", c.stored));
    EXPECT_EQ(std::string(g_getZEBPath()), c.expected);
    EXPECT_EQ(std::string(g_getZEBDataPath()), c.expected);
  }
}

TEST_F(DirectoriesTest, DataDirectoryFallsBackToInstallationDirectory) {
  LoadSettings(Value("ZEB32DIR", "/opt/app/"));
  EXPECT_EQ(std::string(g_getZEBDataPath()), "/opt/app");

  // A data directory too long for its buffer counts as missing.
  ResetDiagnosticsForTesting();
  LoadSettings(Value("ZEB32DIR", "/opt/app") + Value("ZEB32DATA", "/" + std::string(299, 'd')));
  EXPECT_EQ(std::string(g_getZEBDataPath()), "/opt/app");

  ResetDiagnosticsForTesting();
  LoadSettings(Value("ZEB32DIR", "/" + std::string(300, 'i')));
  EXPECT_EQ(std::string(g_getZEBPath()), "");
  EXPECT_EQ(std::string(g_getZEBDataPath()), "");

  // 259 characters still fit.
  ResetDiagnosticsForTesting();
  const std::string longest = "/" + std::string(258, 'i');
  LoadSettings(Value("ZEB32DIR", longest));
  EXPECT_EQ(std::string(g_getZEBPath()), longest);
}

TEST_F(DirectoriesTest, MissingKeyIsAskedAgainButReadValuesAreKept) {
  EXPECT_EQ(std::string(g_getZEBPath()), "");
  EXPECT_EQ(std::string(g_getZEBDataPath()), "");
  LoadSettings(Value("ZEB32DIR", "/first") + Value("ZEB32DATA", "/data"));
  char* const buffer = g_getZEBPath();
  EXPECT_EQ(std::string(buffer), "/first");
  EXPECT_EQ(std::string(g_getZEBDataPath()), "/data");
  LoadSettings(Value("ZEB32DIR", "/second") + Value("ZEB32DATA", "/other"));
  EXPECT_EQ(g_getZEBPath(), buffer);
  EXPECT_EQ(std::string(g_getZEBPath()), "/first");
  EXPECT_EQ(std::string(g_getZEBDataPath()), "/data");
}

TEST_F(DirectoriesTest, NonTextValuesNeverRunPastTheBuffer) {
  LoadSettings("\"ZEB32DIR\"=dword:41424344\n\"ZEB32DATA\"=hex:" + [] {
    std::string bytes;
    for (int i = 0; i < 260; ++i) bytes += i == 0 ? "41" : ",41";
    return bytes;
  }());
  EXPECT_EQ(std::string(g_getZEBPath()), "DCBA");
  // 260 bytes without a terminator do not fit; the fallback applies.
  EXPECT_EQ(std::string(g_getZEBDataPath()), "DCBA");
}

}  // namespace
}  // namespace ebank::diagnostics
