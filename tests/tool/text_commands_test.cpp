// The ebank commands that work on texts and files: amount, date, xml, account,
// trace, and the command line itself.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/tool/tool_runner.h"

namespace ebank::tool_test {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Not;
using ::testing::StartsWith;

class ToolTest : public ::testing::Test {
 protected:
  ToolResult Run(const std::vector<std::string>& arguments, const RunOptions& options = {}) {
    return RunTool(directory_, arguments, options);
  }
  ScratchDirectory directory_;
};

TEST_F(ToolTest, AmountShowsEveryTextForm) {
  ToolResult result = Run({"amount", "1234.5"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("raw value (1/10000)        12345000\n"));
  EXPECT_THAT(result.out, HasSubstr("SWIFT                      1234,5\n"));
  EXPECT_THAT(result.out, HasSubstr("display                    1234,50\n"));
  EXPECT_THAT(result.out, HasSubstr("stream                     1234,5\n"));
  EXPECT_THAT(result.out, HasSubstr("<VALUE PREFIX=\"+\">1234.5</VALUE>"));

  result = Run({"amount", "-3.456"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("display                    -3,46\n"));
  EXPECT_THAT(result.out, HasSubstr("PREFIX=\"-\""));

  result = Run({"amount", "--swift", "12,"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("SWIFT                      12,\n"));
  EXPECT_THAT(result.out, HasSubstr("display                    12,00\n"));
}

TEST_F(ToolTest, AmountRefusesTextsThatAreNoAmounts) {
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"amount", "abc"},
                                                    {"amount", "--swift", "1.234,56"},
                                                    {"amount", "--swift", "-5,0"},
                                                    {"amount", "99999999999999999999"}}) {
    const ToolResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, 1) << arguments.back();
    EXPECT_THAT(result.err, HasSubstr("is not an amount")) << arguments.back();
    EXPECT_EQ(result.out, "") << arguments.back();
  }
  EXPECT_THAT(Run({"amount", "--swift", "1.234,56"}).err, HasSubstr("0x80020005"));
}

// The English parser takes a comma anywhere among the digits, so a decimal
// comma would silently make an amount ten or a hundred times too large.
TEST_F(ToolTest, AmountTakesCommasOnlyWhereTheyGroupThousands) {
  for (const char* amount : {"1234,5", "1,23", "1,2345", "1.234,5", ",5", "1,234,", "1,,234"}) {
    const ToolResult result = Run({"amount", amount});
    EXPECT_EQ(result.exit_code, 1) << amount;
    EXPECT_EQ(result.err, "ebank: '" + std::string(amount) +
                              "' has a comma out of place: English notation groups whole units "
                              "in threes (1,234.5); for a decimal comma give --swift\n")
        << amount;
    EXPECT_EQ(result.out, "") << amount;
  }
  for (const auto& [amount, raw] :
       {std::pair{"1,234.5", "12345000"}, {"-12,345,678", "-123456780000"}, {"999", "9990000"}}) {
    const ToolResult result = Run({"amount", amount});
    ASSERT_EQ(result.exit_code, 0) << amount << result.err;
    EXPECT_THAT(result.out, HasSubstr("raw value (1/10000)        " + std::string(raw) + "\n"));
  }
  const ToolResult swift = Run({"amount", "--swift", "1234,5"});
  ASSERT_EQ(swift.exit_code, 0) << swift.err;
  EXPECT_THAT(swift.out, HasSubstr("raw value (1/10000)        12345000\n"));
}

TEST_F(ToolTest, DateParsesLayoutsAndFormats) {
  ToolResult result = Run({"date", "20080505143000"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("DATE value                 39573.604166667\n"));
  EXPECT_THAT(result.out, HasSubstr("calendar                   2008-05-05 14:30:00\n"));
  EXPECT_THAT(result.out, HasSubstr("05.05.2008 14:30:00"));

  result = Run({"date", "05.05.2008", "--layout", "dd.mm.yyyy", "--format", "yyyy/mm/dd"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("2008-05-05 00:00:00"));
  EXPECT_THAT(result.out, HasSubstr("format \"yyyy/mm/dd\"        2008/05/05\n"));
}

// The library keeps a date's old value when the digits name no calendar day;
// the tool must not show that old value as the date of the text.
TEST_F(ToolTest, DateSaysWhenTheTextIsNoDate) {
  for (const char* text : {"20080230", "2008", "20081301", "00000101", "20080505250000"}) {
    const ToolResult result = Run({"date", text});
    EXPECT_EQ(result.exit_code, 1) << text;
    EXPECT_EQ(result.err, "ebank: '" + std::string(text) +
                              "' is no date: with the layout 'YYYYMMDDHHMMSS' it names no "
                              "calendar day and time (years 100 to 9999; fields beyond the end of "
                              "the text count as 0)\n");
    EXPECT_EQ(result.out, "") << text;
  }
  ToolResult result = Run({"date", ""});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "ebank: the date text is empty\n");
  // The day that the library's empty value stands for is a date all the same.
  result = Run({"date", "18991230"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("DATE value                 0.000000000\n"));
}

TEST_F(ToolTest, DateRefusesNonDigitsAndOverlongLayouts) {
  ToolResult result = Run({"date", "2008O505"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("0x80070057"));
  result = Run({"date", "20080505", "--layout", std::string(60, 'Y')});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("does not fit the layout"));
}

constexpr char kStatement[] =
    "<STATEMENT><TRANSACTION><VALUE PREFIX=\"+\">1234.5</VALUE><PURPOSE>Miete</PURPOSE>"
    "</TRANSACTION><TRANSACTION><VALUE PREFIX=\"-\">-3.456</VALUE><PURPOSE>Gebuehr</PURPOSE>"
    "</TRANSACTION></STATEMENT>";

constexpr char kStylesheet[] =
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    "<xsl:output method=\"text\"/><xsl:template match=\"/\"><xsl:for-each "
    "select=\"//TRANSACTION\"><xsl:value-of select=\"PURPOSE\"/>=<xsl:value-of "
    "select=\"VALUE\"/>;</xsl:for-each></xsl:template></xsl:stylesheet>";

TEST_F(ToolTest, XmlQueriesRewritesAndTransforms) {
  const std::string file = directory_.Write("statement.xml", kStatement);
  directory_.Write("list.xsl", kStylesheet);
  ToolResult result = Run({"xml", file, "-q", "TRANSACTION/PURPOSE", "-q", "STATEMENT"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("query TRANSACTION/PURPOSE  2 nodes\n"));
  EXPECT_THAT(result.out, HasSubstr("  [1]                      Miete\n  [2]"));
  // Paths are relative to the root element, which is not its own child.
  EXPECT_THAT(result.out, HasSubstr("query STATEMENT            0 nodes\n"));

  result = Run({"xml", "statement.xml", "--german", "-t", "list.xsl"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "Miete=1234,50;Gebuehr=-3,46;");

  result = Run({"xml", "-", "--german"}, WithInput(kStatement));
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("<VALUE PREFIX=\"-\">-3,46</VALUE>"));
}

TEST_F(ToolTest, XmlReportsBrokenInputWithoutCrashing) {
  directory_.Write("broken.xml", "<STATEMENT><VALUE>");
  directory_.Write("words.xml", "<A><VALUE PREFIX=\"+\">zwoelf</VALUE></A>");
  directory_.Write("good.xml", kStatement);
  directory_.Write("broken.xsl", "<xsl:stylesheet");
  for (const std::vector<std::string>& arguments : {std::vector<std::string>{"xml", "broken.xml"},
                                                    {"xml", "missing.xml"},
                                                    {"xml", "good.xml", "-q", "]]["},
                                                    {"xml", "words.xml", "--german"},
                                                    {"xml", "good.xml", "-t", "broken.xsl"},
                                                    {"xml", "good.xml", "-t", "missing.xsl"}}) {
    const ToolResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, 1) << arguments.back() << result.err;
    EXPECT_THAT(result.err, MatchesRegex("ebank: [^\n]+\n")) << arguments.back();
  }
}

// Standard output is buffered in a pipe and standard error is not; the error
// must still come after the lines printed before it.
TEST_F(ToolTest, AnErrorFollowsTheOutputPrintedBeforeIt) {
  const std::string file = directory_.Write("statement.xml", kStatement);
  const ToolResult result =
      Run({"xml", file, "-q", "TRANSACTION/PURPOSE", "-q", "]]["}, WithMergedOutput());
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.out, StartsWith("query TRANSACTION/PURPOSE  2 nodes\n"));
  EXPECT_THAT(result.out, HasSubstr("Gebuehr\nebank: query ']][' failed: "));
}

// What a command reads from a file or standard input is refused when it is
// nothing, endless, larger than 64 MiB or cut short by a NUL byte, and a FIFO
// without a writer never makes the tool wait.
TEST_F(ToolTest, InputMustBeWholeTextWithinTheBound) {
  directory_.Write("empty.xml", "");
  directory_.Write("nul.xml", std::string("<KONTO>\0<NUMMER>1</NUMMER></KONTO>", 35));
  std::filesystem::create_directory(directory_.path() + "/folder");
  ASSERT_EQ(mkfifo((directory_.path() + "/fifo").c_str(), 0600), 0);
  const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
      {{"account", "empty.xml"}, "'empty.xml' is empty"},
      {{"account", "-"}, "standard input is empty"},
      {{"xml", "empty.xml"}, "'empty.xml' is empty"},
      {{"account", "nul.xml"},
       "'nul.xml' holds a NUL byte at offset 7; text has none, and what follows it would be lost"},
      {{"xml", "nul.xml"},
       "'nul.xml' holds a NUL byte at offset 7; text has none, and what follows it would be lost"},
      {{"account", "folder"}, "cannot read 'folder': Is a directory"},
      {{"xml", "folder"}, "cannot read 'folder': Is a directory"},
      {{"account", "missing.xml"}, "cannot read 'missing.xml': No such file or directory"},
      {{"account", "fifo"}, "'fifo' is empty"},
      {{"xml", "fifo"}, "'fifo' is not a regular file; give its content on standard input (-)"},
      {{"xml", "/dev/zero"},
       "'/dev/zero' is not a regular file; give its content on standard input (-)"},
      {{"account", "/dev/zero"}, "'/dev/zero' holds more than 64 MiB, the most the tool reads"},
  };
  for (const auto& [arguments, message] : refused) {
    const ToolResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, 1) << arguments[1];
    EXPECT_EQ(result.err, "ebank: " + message + "\n") << arguments[1];
    EXPECT_EQ(result.out, "") << arguments[1];
  }
  const ToolResult nul_on_input = Run({"xml", "-"}, WithInput(std::string("<A/>\0<B/>", 9)));
  EXPECT_EQ(nul_on_input.exit_code, 1);
  EXPECT_THAT(nul_on_input.err, HasSubstr("standard input holds a NUL byte at offset 4"));
}

TEST_F(ToolTest, InputIsReadUpToTheBoundAndUtf16IsLeftToTheParser) {
  // UTF-16 holds NUL bytes from its start; the parser decodes it itself.
  directory_.Write("utf16.xml", std::string("\xff\xfe<\0A\0>\0x\0<\0/\0A\0>\0", 18));
  ToolResult result = Run({"xml", "utf16.xml"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("<A>x</A>"));
  // Exactly 64 MiB are read whole: the NUL in the last byte is found. One
  // byte more is refused before anything is looked at.
  const std::size_t bound = std::size_t{64} << 20;
  directory_.Write("full.xml", std::string(bound - 1, ' ') + '\0');
  result = Run({"account", "full.xml"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_THAT(result.err, HasSubstr("'full.xml' holds a NUL byte at offset 67108863;"));
  directory_.Write("over.xml", std::string(bound + 1, ' '));
  result = Run({"account", "over.xml"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.err, "ebank: 'over.xml' holds more than 64 MiB, the most the tool reads\n");
}

constexpr char kKonto[] =
    "<KONTO><ID>17</ID><NUMMER>12'34</NUMMER><BLZ>12345678</BLZ><CURRENCY>dm</CURRENCY>"
    "<BEZEICHNUNG>Giro</BEZEICHNUNG><CONTACTNAME>Hausbank</CONTACTNAME>"
    "<CONTACTTYPE>HBCI</CONTACTTYPE><DATE_LASTDOWNLOAD><DATE YEAR=\"2007\" MONTH=\"11\" "
    "DAY=\"05\"/></DATE_LASTDOWNLOAD></KONTO>";

TEST_F(ToolTest, AccountShowsFieldsValidityAndWhereClauses) {
  const ToolResult result = Run({"account", directory_.Write("konto.xml", kKonto)});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("database key (ID)          17\n"));
  EXPECT_THAT(result.out, HasSubstr("last download              2007-11-05\n"));
  EXPECT_THAT(result.out, HasSubstr("valid (complete check)     yes\n"));
  EXPECT_THAT(result.out, HasSubstr("sender name                Hausbank\n"));
  // The apostrophe is doubled, so the value cannot end its quoted string.
  EXPECT_THAT(result.out,
              HasSubstr("szKtoNummer='12''34' AND  szBlz='12345678' AND szCurrency='dm'\n"));
  EXPECT_THAT(result.out, HasSubstr("KtoID=17\n"));
}

TEST_F(ToolTest, AccountReadsTheFirstOfAListAndChecksCompleteness) {
  const ToolResult result = Run(
      {"account", "--xml",
       "<KONTEN><KONTO><NUMMER>1</NUMMER><CURRENCY>CHF</CURRENCY></KONTO><KONTO><NUMMER>2</NUMMER>"
       "</KONTO></KONTEN>"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("number                     1\n"));
  EXPECT_THAT(result.out, HasSubstr("valid (complete check)     no\n"));
  EXPECT_THAT(result.out, HasSubstr("valid (lenient check)      no\n"));
}

TEST_F(ToolTest, AccountRefusesInputWithoutAnAccount) {
  EXPECT_EQ(Run({"account"}).exit_code, 2);
  for (const char* xml : {"<KONTEN/>", "<ACCOUNT><NUMMER>1</NUMMER></ACCOUNT>", "<KONTO>", ""}) {
    const ToolResult result = Run({"account", "-"}, WithInput(xml));
    EXPECT_EQ(result.exit_code, 1) << xml;
    EXPECT_THAT(result.err, HasSubstr("ebank: ")) << xml;
  }
}

TEST_F(ToolTest, TraceExplainsTheRegistrySettings) {
  const std::string registry = directory_.Write(
      "settings.reg",
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\BRANTEL\\MIRA]\n\"ZEB32DIR\"=\"/opt/zeb/\"\n"
      "\"TraceLevel\"=dword:00000006\n");
  ToolResult result = Run({"--registry", registry, "trace"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("0x00000006 (6)"));
  EXPECT_THAT(result.out, HasSubstr("off 0x1  message box for ERROR"));
  EXPECT_THAT(result.out, HasSubstr("on  0x2  message box for WARNING"));
  EXPECT_THAT(result.out, HasSubstr("on  0x4  trace file entry for ERROR"));
  EXPECT_THAT(result.out, HasSubstr("off 0x8  trace file entry for WARNING"));
  // The data directory falls back to the installation directory.
  EXPECT_THAT(result.out, HasSubstr("data (ZEB32DATA)           /opt/zeb\n"));
  EXPECT_THAT(result.out, HasSubstr("trace file                 /opt/zeb/EBankingTrace.txt\n"));

  EXPECT_EQ(result.err, "");

  result = Run({"trace"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("Tracing is off"));
  EXPECT_THAT(result.out, Not(HasSubstr("on  ")));
}

// The library takes a registry file it cannot open as an empty registry.
TEST_F(ToolTest, AnUnreadableRegistryIsReportedAndCountsAsEmpty) {
  std::filesystem::create_directory(directory_.path() + "/folder");
  for (const auto& [file, reason] :
       {std::pair{"missing.reg", "No such file or directory"}, {"folder", "Is a directory"}}) {
    const ToolResult result = Run({"--registry", file, "trace"});
    EXPECT_EQ(result.exit_code, 0) << file;
    EXPECT_EQ(result.err, "ebank: warning: cannot read the registry file '" + std::string(file) +
                              "' (" + reason + "); going on with an empty registry\n");
    EXPECT_THAT(result.out, HasSubstr("Tracing is off")) << file;
  }
}

TEST_F(ToolTest, EveryCommandHasHelpAndBadCommandLinesFail) {
  for (const char* command : {"demo", "account", "amount", "date", "xml", "db", "rsa", "trace"}) {
    const ToolResult result = Run({command, "--help"});
    EXPECT_EQ(result.exit_code, 0) << command;
    EXPECT_THAT(result.out, HasSubstr("Usage:")) << command;
  }
  EXPECT_EQ(Run({}).exit_code, 2);
  EXPECT_EQ(Run({"transfer"}).exit_code, 2);
  EXPECT_EQ(Run({"amount"}).exit_code, 2);
  EXPECT_EQ(Run({"date", "1", "--bogus"}).exit_code, 2);
  const ToolResult version = Run({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_THAT(version.out, HasSubstr("ebank "));
}

}  // namespace
}  // namespace ebank::tool_test
