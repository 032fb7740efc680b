#include "ebank/platform/win32/temp_path.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace {

using ebank::platform::ScopedEnvironmentVariable;

TEST(TempPathTest, UsesTmpdirWithOneTrailingSlash) {
  char buffer[64];
  {
    ScopedEnvironmentVariable tmpdir("TMPDIR", "/var/spool/x");
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 13u);
    EXPECT_STREQ(buffer, "/var/spool/x/");
  }
  {
    ScopedEnvironmentVariable tmpdir("TMPDIR", "/scratch/");
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 9u);
    EXPECT_STREQ(buffer, "/scratch/");
  }
  for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
    ScopedEnvironmentVariable tmpdir("TMPDIR", unset);
    EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 5u);
    EXPECT_STREQ(buffer, "/tmp/");
  }
}

TEST(TempPathTest, SmallBufferGetsTheNeededSizeAndStaysUntouched) {
  ScopedEnvironmentVariable tmpdir("TMPDIR", "/tmp");
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetTempPathA(5, buffer), 6u);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(GetTempPathA(0, nullptr), 6u);
  EXPECT_EQ(GetTempPathA(6, buffer), 5u);
  EXPECT_STREQ(buffer, "/tmp/");
}

}  // namespace
