// ebank demo and ebank db against the reference server and SQLite.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ebank/version.h"
#include "tests/tool/tool_runner.h"

namespace ebank::tool_test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

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
  // The header shows the library's version, its one ERROR entry is explained,
  // and no entry carries a system message left by the library's own lookups.
  EXPECT_THAT(result.out, HasSubstr("Versionsnummer: " EBANK_VERSION_STRING "\n"));
  EXPECT_THAT(result.out, HasSubstr("The ERROR entry inside the header is the header's own"));
  EXPECT_THAT(result.out, Not(HasSubstr("Systemfehlermeldung")));
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

// Piped, standard output is buffered and standard error is not: the final
// error of a failing demo must still come after its steps.
TEST_F(DatabaseCommandsTest, AFailingDemoReportsAfterItsSteps) {
  const ToolResult result =
      RunTool(directory_, {"demo", "--driver", "/nonexistent/driver.so"}, WithMergedOutput());
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.out, StartsWith("ebank demo: a banking component's typical request"));
  EXPECT_THAT(result.out, HasSubstr("\n[1] Create the server by ProgID"));
  EXPECT_THAT(result.out, EndsWith("\nebank: the demo failed; see the steps above\n"));
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

#ifdef EBANK_TXNDB_SERVER_FILE
// A server file cut short is refused with the reason instead of killing the
// tool, and a bare file name names the file in the current directory.
TEST_F(DatabaseCommandsTest, DbRefusesATruncatedServerAndFindsBareNamesInTheCurrentDirectory) {
  const std::filesystem::path truncated = std::filesystem::path(directory_.path()) / "trunc.so";
  std::filesystem::copy_file(EBANK_TXNDB_SERVER_FILE, truncated);
  std::filesystem::resize_file(truncated, 6000);
  ToolResult result = RunTool(directory_, {"db", "-d", "NoSuchDataSource", "-s", "./trunc.so"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr(truncated.string() + " is truncated: its program headers"));

  std::filesystem::copy_file(EBANK_TXNDB_SERVER_FILE,
                             std::filesystem::path(directory_.path()) / "libebanktxndb.so");
  result = RunTool(directory_, {"db", "-d", "NoSuchDataSource", "-s", "libebanktxndb.so"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("cannot connect to 'NoSuchDataSource'")) << "server loaded";
}
#endif

TEST_F(DatabaseCommandsTest, DbReportsTheDriverButNeverThePassword) {
  const ToolResult result =
      RunTool(directory_, {"db", "--dsn", "NoSuchDataSource", "--uid", "u", "--pwd", "Geheim99"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("cannot connect to 'NoSuchDataSource'"));
  // The whole request reached the server, which asked the driver manager.
  EXPECT_THAT(result.err, HasSubstr(": 0x80004005: Connect: connecting failed: "));
  EXPECT_THAT(result.out + result.err, Not(HasSubstr("Geheim99")));
}

TEST_F(DatabaseCommandsTest, DbMasksPasswordsInConnectionStrings) {
  const std::vector<std::pair<std::string, std::string>> masked = {
      {"Driver=NoSuchDriver;PWD=Geheim99;UID=u", "Driver=NoSuchDriver;PWD=***;UID=u"},
      {"Driver=NoSuchDriver; password =Geheim99", "Driver=NoSuchDriver; password =***"},
      {"Driver=NoSuchDriver;Pwd={Geh;eim}}99};UID=u", "Driver=NoSuchDriver;Pwd=***;UID=u"},
      {"Driver=NoSuchDriver;PWD={Geheim99", "Driver=NoSuchDriver;PWD=***"},
      {"Driver=NoSuchDriver;PWDX=shown;PWD=Geheim99;Password=Geheim99",
       "Driver=NoSuchDriver;PWDX=shown;PWD=***;Password=***"},
  };
  for (const auto& [connection, shown] : masked) {
    const ToolResult result = RunTool(directory_, {"db", "--dsn", connection});
    EXPECT_EQ(result.exit_code, 1) << connection;
    EXPECT_THAT(result.err, HasSubstr("ebank: cannot connect to '" + shown + "': 0x80004005: "))
        << connection;
    EXPECT_THAT(result.out + result.err, Not(HasSubstr("Geheim99"))) << connection;
    EXPECT_THAT(result.out + result.err, Not(HasSubstr("eim}"))) << connection;
  }
}

// The wrapper's formatter cuts the connect request at 1023 characters; the
// server could then only say that the request has no <CONNECT><ODBC> element.
TEST_F(DatabaseCommandsTest, DbSaysWhichValueMakesTheConnectRequestTooLong) {
  // 65 characters of the request are its own: 958 are left for the values.
  ToolResult result = RunTool(directory_, {"db", "--dsn", std::string(958, 'x')});
  EXPECT_EQ(result.exit_code, 1);
  // The whole request reached the server, which asked the driver manager.
  EXPECT_THAT(result.err, HasSubstr(": 0x80004005: Connect: connecting failed: "));
  struct TooLong {
    std::vector<std::string> options;
    std::string longest;
  };
  const TooLong cases[] = {
      {{"--dsn", std::string(959, 'x')}, "the data source (--dsn)"},
      {{"--dsn", "Konten", "--uid", "u", "--pwd", std::string(952, 'p')}, "the password (--pwd)"},
      {{"--dsn", std::string(400, 'd'), "--uid", std::string(553, 'u'), "--pwd", "secret"},
       "the user ID (--uid)"},
  };
  for (const TooLong& too_long : cases) {
    std::vector<std::string> arguments{"db"};
    arguments.insert(arguments.end(), too_long.options.begin(), too_long.options.end());
    result = RunTool(directory_, arguments);
    EXPECT_EQ(result.exit_code, 1) << too_long.longest;
    EXPECT_EQ(result.err, "ebank: " + too_long.longest +
                              " is too long: the connect request has room for 958 characters of "
                              "data source, user ID and password together, and these have 959\n");
    EXPECT_THAT(result.err, Not(HasSubstr("ppp")));
  }
}

}  // namespace
}  // namespace ebank::tool_test
