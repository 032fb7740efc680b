#include "ebank/diagnostics/trace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "ebank/diagnostics/testing/trace_test_fixture.h"
#include "ebank/diagnostics/trace_context.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/format_message.h"

namespace ebank::diagnostics {
namespace {

using ovEBankHelper::g_TraceError;
using ovEBankHelper::g_TraceInfo;
using ovEBankHelper::g_TraceWarn;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;

// Traces one message of each severity, naming the severity in the text.
void TraceAllSeverities() {
  g_TraceError("e%d", 1);
  g_TraceWarn("w%d", 2);
  g_TraceInfo("i%d", 3);
}

bool IsEntryLine(const std::string& line) {
  static const std::regex kEntry("[0-9]{3,} [0-9]{2}:[0-9]{2}:[0-9]{2} .*");
  return std::regex_match(line, kEntry);
}

// "NNN HH:MM:SS LEVEL: text" without its number and time.
std::string WithoutNumberAndTime(const std::string& line) {
  return line.substr(line.find(' ') + 10);
}

// The entry lines, without number and time; other lines are dropped.
std::vector<std::string> EntryHeads(const std::vector<std::string>& lines) {
  std::vector<std::string> heads;
  for (const auto& line : lines) {
    if (IsEntryLine(line)) heads.push_back(WithoutNumberAndTime(line));
  }
  return heads;
}

// All lines but separators, entry lines without number and time.
std::vector<std::string> WithoutSeparators(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (const auto& line : lines) {
    if (line != std::string(100, '-')) {
      kept.push_back(IsEntryLine(line) ? WithoutNumberAndTime(line) : line);
    }
  }
  return kept;
}

TEST_F(TraceTest, MaskChoosesBoxesDebuggerOutputAndFileEntries) {
  struct Case {
    DWORD mask;
    std::vector<std::string> box_captions;
    std::vector<UINT> box_types;
    std::vector<std::string> file_entries;
  };
  const Case cases[] = {
      {16, {}, {}, {}},
      {4, {}, {}, {"ERROR: e1", "INFO: i3"}},
      {8, {}, {}, {"WARNING: w2", "INFO: i3"}},
      {2, {"EBanking Trace: WARNING", "EBanking Trace: INFO"}, {0x30, 0x40}, {}},
      {1, {"EBanking Trace: ERROR", "EBanking Trace: INFO"}, {0x10, 0x40}, {}},
      {15,
       {"EBanking Trace: ERROR", "EBanking Trace: WARNING", "EBanking Trace: INFO"},
       {0x10, 0x30, 0x40},
       {"ERROR: e1", "WARNING: w2", "INFO: i3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    TearDown();
    SetUp();
    LoadTraceSettings(c.mask);
    TraceAllSeverities();
    EXPECT_THAT(DebugOutput(), ElementsAre("e1\n", "w2\n", "i3\n"));
    const std::map<std::string, std::string> text_of_caption = {{"EBanking Trace: ERROR", "e1"},
                                                                {"EBanking Trace: WARNING", "w2"},
                                                                {"EBanking Trace: INFO", "i3"}};
    std::vector<std::string> captions;
    std::vector<UINT> types;
    for (const auto& box : Boxes()) {
      captions.push_back(box.caption);
      types.push_back(box.type);
      EXPECT_EQ(box.text, text_of_caption.at(box.caption));
    }
    EXPECT_EQ(captions, c.box_captions);
    EXPECT_EQ(types, c.box_types);
    if (c.file_entries.empty()) {
      EXPECT_FALSE(std::filesystem::exists(TraceFilePath()));
    } else {
      EXPECT_EQ(EntryHeads(EntryLines()), c.file_entries);
    }
  }
}

TEST_F(TraceTest, WithoutMaskOrWithMaskZeroNothingIsShownOrWritten) {
  LoadSettings(DirectoryValue("ZEB32DATA", directory_));
  TraceAllSeverities();
  LoadTraceSettings(0);
  EXPECT_EQ(ovEBankHelper::g_getEBankTraceLevel(), 0u);
  TraceAllSeverities();
  EXPECT_THAT(DebugOutput(), IsEmpty());
  EXPECT_THAT(Boxes(), IsEmpty());
  EXPECT_FALSE(std::filesystem::exists(TraceFilePath()));
}

TEST_F(TraceTest, MaskIsAskedAgainWhileMissingAndKeptOnceRead) {
  EXPECT_EQ(ovEBankHelper::g_getEBankTraceLevel(), 0u);
  LoadTraceSettings(16);
  EXPECT_EQ(ovEBankHelper::g_getEBankTraceLevel(), 16u);
  LoadTraceSettings(4);
  EXPECT_EQ(ovEBankHelper::g_getEBankTraceLevel(), 16u);
  // A value longer than four bytes is no mask.
  ResetDiagnosticsForTesting();
  LoadSettings("\"TraceLevel\"=hex:04,00,00,00,00\n");
  EXPECT_EQ(ovEBankHelper::g_getEBankTraceLevel(), 0u);
}

TEST_F(TraceTest, EntryLinesCarryNumberTimeLevelAndSeparator) {
  LoadTraceSettings(4);
  OpenTraceFile();
  g_TraceError("first %s", "entry");
  g_TraceWarn("filtered out");
  g_TraceInfo("second");
  const auto lines = EntryLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_THAT(lines[0],
              MatchesRegex("001 [0-2][0-9]:[0-5][0-9]:[0-6][0-9] INFO: trace file opened"));
  EXPECT_EQ(lines[1], Separator());
  EXPECT_THAT(lines[2], MatchesRegex("002 [0-2][0-9]:[0-5][0-9]:[0-6][0-9] ERROR: first entry"));
  EXPECT_EQ(lines[3], Separator());
  EXPECT_THAT(lines[4], MatchesRegex("003 [0-2][0-9]:[0-5][0-9]:[0-6][0-9] INFO: second"));
  EXPECT_EQ(lines[5], Separator());
}

TEST_F(TraceTest, LineNumbersGrowPastThreeDigits) {
  LoadTraceSettings(4);
  for (int i = 0; i < 1000; ++i) g_TraceInfo("n");
  const auto lines = EntryLines();
  ASSERT_EQ(lines.size(), 2000u);
  EXPECT_EQ(lines[2 * 41].substr(0, 4), "042 ");
  EXPECT_EQ(lines[2 * 999].substr(0, 5), "1000 ");
}

TEST_F(TraceTest, FirstEntryTruncatesTheFileAfterTheHeader) {
  {
    std::ofstream old(TraceFilePath());
    old << "left over from an earlier process\n";
  }
  LoadTraceSettings(4);
  g_TraceInfo("new");
  g_TraceInfo("again");
  const auto lines = ReadLines(TraceFilePath());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), std::string(100, '*'));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(100, '*')), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "left over from an earlier process"), 0);
  EXPECT_EQ(EntryLines().size(), 4u);
}

TEST_F(TraceTest, SystemErrorTextFollowsWarningsAndErrorsOnly) {
  LoadTraceSettings(12);
  OpenTraceFile();
  SetLastError(ERROR_ACCESS_DENIED);
  g_TraceWarn("denied");
  g_TraceInfo("info ignores it");
  SetLastError(0);
  g_TraceError("no error pending");

  char* text = nullptr;
  ASSERT_NE(FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                           ERROR_ACCESS_DENIED, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr),
            0u);
  std::string system_text(text);
  LocalFree(text);
  while (!system_text.empty() && (system_text.back() == '\n' || system_text.back() == '\r')) {
    system_text.pop_back();
  }
  EXPECT_THAT(WithoutSeparators(EntryLines()),
              ElementsAre("INFO: trace file opened", "WARNING: denied", "Systemfehlermeldung:",
                          system_text, "INFO: info ignores it", "ERROR: no error pending"));
}

TEST_F(TraceTest, HostileFormatsAndArgumentsAreCutNotOverrun) {
  LoadTraceSettings(15);
  g_TraceError(nullptr);
  EXPECT_THAT(DebugOutput(), IsEmpty());
  EXPECT_THAT(Boxes(), IsEmpty());

  g_TraceError("text: %s", static_cast<const char*>(nullptr));
  EXPECT_EQ(DebugOutput().back(), "text: (null)\n");

  const std::string long_text(5000, 'x');
  g_TraceWarn("%s", long_text.c_str());
  g_TraceInfo(long_text.c_str());
  const auto output = DebugOutput();
  ASSERT_EQ(output.size(), 3u);
  EXPECT_EQ(output[1], std::string(2046, 'x') + "\n");
  EXPECT_EQ(output[2], std::string(2046, 'x') + "\n");
  EXPECT_EQ(Boxes().back().text, std::string(2046, 'x'));
  for (const auto& line : EntryLines()) EXPECT_LE(line.size(), 2559u);
}

// Components trace 64-bit amounts, pointers and numbers with C-runtime
// formats; a message with a NUL ends there and still ends its line.
TEST_F(TraceTest, MessagesFollowTheCRuntimeFormatRules) {
  LoadTraceSettings(4);
  OpenTraceFile();
  g_TraceInfo("%I64d|%lld|%p|%+.2f|%s", -1234567890123LL, 42LL,
              reinterpret_cast<void*>(std::uintptr_t{0xBEEF}), 2.5, "text");
  g_TraceError("%d|%*s|%#o", 7, 4, "ab", 8u);
  g_TraceInfo("cut%chere", 0);
  g_TraceInfo("%-2100s|", "wide");
  EXPECT_THAT(DebugOutput(),
              ElementsAre("trace file opened\n", "-1234567890123|42|000000000000BEEF|+2.50|text\n",
                          "7|  ab|010\n", "cut\n", "wide" + std::string(2042, ' ') + "\n"));
  EXPECT_THAT(
      WithoutSeparators(EntryLines()),
      ElementsAre("INFO: trace file opened", "INFO: -1234567890123|42|000000000000BEEF|+2.50|text",
                  "ERROR: 7|  ab|010", "INFO: cut", "INFO: wide" + std::string(2042, ' ')));
  EXPECT_EQ(EntryLines().size(), 10u);
}

TEST_F(TraceTest, OverlongContextNameCutsTheLineButKeepsItsEnd) {
  LoadTraceSettings(4);
  { const ovEBankHelper::CTraceContext first("first"); }
  const std::string name(3000, 'n');
  const ovEBankHelper::CTraceContext context(name.c_str());
  g_TraceInfo("message");
  const auto lines = EntryLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2].size(), 2558u);  // 2559 characters with the line feed
  EXPECT_EQ(lines[2].substr(0, 19), "002 " + lines[2].substr(4, 8) + " (nnnnn");
  EXPECT_EQ(lines[3], Separator());
}

TEST_F(TraceTest, UnopenableFileLosesTheEntryUntilTheDirectoryExists) {
  const auto missing = directory_ / "later";
  LoadSettings("\"TraceLevel\"=dword:00000004\n" + DirectoryValue("ZEB32DATA", missing),
               QuietComponents());
  g_TraceError("lost");
  EXPECT_THAT(DebugOutput(), ElementsAre("lost\n"));
  std::filesystem::create_directory(missing);
  g_TraceError("kept");
  EXPECT_THAT(ReadLines(missing / "EBankingTrace.txt"),
              ::testing::Contains(MatchesRegex("001 .* ERROR: kept")));
}

// The trace file path has a buffer of 128 bytes. A longer path cut to fit
// would name an unrelated file: no file is opened, and the debugger output
// says so once.
TEST_F(TraceTest, TraceFilePathLongerThanItsBufferOpensNoFile) {
  constexpr std::size_t kFileNameLength = std::char_traits<char>::length("/EBankingTrace.txt");
  const std::size_t free_length = 127 - kFileNameLength - directory_.string().size() - 1;
  if (directory_.string().size() + 1 >= 127 - kFileNameLength) GTEST_SKIP() << "TMPDIR too long";
  const auto fits = directory_ / std::string(free_length, 'f');
  const auto too_long = directory_ / std::string(free_length + 1, 'l');
  std::filesystem::create_directory(fits);
  std::filesystem::create_directory(too_long);
  const std::string cut = (too_long.string() + "/EBankingTrace.txt").substr(0, 127);
  std::ofstream(cut) << "unrelated data\n";

  LoadSettings("\"TraceLevel\"=dword:00000004\n" + DirectoryValue("ZEB32DATA", too_long),
               QuietComponents());
  g_TraceError("first");
  g_TraceError("second");
  EXPECT_THAT(ReadLines(cut), ElementsAre("unrelated data"));
  EXPECT_FALSE(std::filesystem::exists(too_long / "EBankingTrace.txt"));
  const auto output = DebugOutput();
  ASSERT_EQ(output.size(), 3u);
  EXPECT_EQ(output[0], "first\n");
  EXPECT_THAT(output[1], MatchesRegex("EBanking Trace: .*127.*/EBankingTrace.txt\n"));
  EXPECT_EQ(output[2], "second\n");

  ResetDiagnosticsForTesting();
  LoadSettings("\"TraceLevel\"=dword:00000004\n" + DirectoryValue("ZEB32DATA", fits),
               QuietComponents());
  g_TraceError("fits");
  EXPECT_EQ((fits / "EBankingTrace.txt").string().size(), 127u);
  EXPECT_THAT(ReadLines(fits / "EBankingTrace.txt"),
              ::testing::Contains(MatchesRegex("001 .* ERROR: fits")));
}

}  // namespace
}  // namespace ebank::diagnostics
