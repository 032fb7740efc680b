// ebank demo and ebank db against the reference server and SQLite.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/tool/tool_runner.h"

namespace ebank::tool_test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class DatabaseCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef EBANK_TOOL_HAS_SERVER
    GTEST_SKIP() << "the transaction database server is not built (no unixODBC)";
#endif
  }
  ScratchDirectory directory_;
};

TEST_F(DatabaseCommandsTest, DemoRunsTheTypicalRequestAndCleansUp) {
  const ToolResult result = RunTool(directory_, {"demo"});
  ASSERT_EQ(result.exit_code, 0) << result.out << result.err;
  EXPECT_THAT(result.out, HasSubstr("ConnectDB returned     0x00000000"));
  EXPECT_THAT(result.out, HasSubstr("IsKontoValid(true)     yes"));
  EXPECT_THAT(result.out, HasSubstr("database key           2\n"));
  EXPECT_THAT(result.out, HasSubstr("accounts               3\n"));
  // The failing request: the parser's error, what Catch made of it, its trace.
  EXPECT_THAT(result.out, HasSubstr("failed                 ddCOM::Exception 0xC00CE04D"));
  EXPECT_THAT(result.out, HasSubstr("ddCOM::Catch returned  0x80004005"));
  EXPECT_THAT(result.out, HasSubstr("INFO: demo step 5: COrvTxnDBWrapper::AccountFind"));
  EXPECT_THAT(result.out, HasSubstr("WARNING: ddCOM::Exception 0xc00ce04d"));
  EXPECT_EQ(result.err, "");
  // Nothing is left in the temporary directory but the runner's own files.
  for (const auto& entry : std::filesystem::directory_iterator(directory_.path())) {
    EXPECT_EQ(entry.path().filename().string()[0], '.') << entry.path();
  }
}

TEST_F(DatabaseCommandsTest, DemoWithoutServerFailsClearly) {
  ToolResult result = RunTool(directory_, {"demo", "--server", "/nonexistent/libserver.so"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("does not exist: /nonexistent/libserver.so"));
  result = RunTool(directory_, {"demo"}, WithVariable("EBANK_TXNDB_SERVER", "/nonexistent"));
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("EBANK_TXNDB_SERVER"));
}

TEST_F(DatabaseCommandsTest, DbFindsAndListsWhatTheDemoKept) {
  const ToolResult demo = RunTool(directory_, {"demo", "--keep"});
  ASSERT_EQ(demo.exit_code, 0) << demo.err;
  const std::string::size_type start = demo.out.find("Database=");
  ASSERT_NE(start, std::string::npos);
  const std::string connection =
      "Driver=SQLite3;" + demo.out.substr(start, demo.out.find('\n', start) - start);

  ToolResult result = RunTool(directory_, {"db", "--dsn", connection});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("accounts                   3\n"));
  EXPECT_THAT(result.out, HasSubstr("9876543210 / 87654321 EUR  Sparkonto"));

  result = RunTool(directory_, {"db", "-d", connection, "--find", "1234567", "--blz", "12345678"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "database key               1\n");

  result = RunTool(directory_, {"db", "-d", connection, "--find", "1' OR '1'='1", "--blz", "x"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("no EUR account"));
  EXPECT_EQ(RunTool(directory_, {"db", "-d", connection, "--find", "1"}).exit_code, 2);
}

TEST_F(DatabaseCommandsTest, DbReportsTheDriverButNeverThePassword) {
  const ToolResult result =
      RunTool(directory_, {"db", "--dsn", "NoSuchDataSource", "--uid", "u", "--pwd", "Geheim99"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("cannot connect to 'NoSuchDataSource'"));
  EXPECT_THAT(result.err, HasSubstr("Data source name not found"));
  EXPECT_THAT(result.out + result.err, Not(HasSubstr("Geheim99")));
}

}  // namespace
}  // namespace ebank::tool_test
