// The ebank commands that work on texts and files: amount, date, xml, account,
// trace, and the command line itself.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/tool/tool_runner.h"

namespace ebank::tool_test {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Not;

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

  result = Run({"trace"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("Tracing is off"));
  EXPECT_THAT(result.out, Not(HasSubstr("on  ")));
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
