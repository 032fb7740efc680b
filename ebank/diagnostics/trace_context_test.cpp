#include "ebank/diagnostics/trace_context.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ebank/diagnostics/testing/trace_test_fixture.h"
#include "ebank/diagnostics/trace.h"

namespace ebank::diagnostics {
namespace {

using ovEBankHelper::CTraceContext;
using ovEBankHelper::g_TraceError;
using ovEBankHelper::g_TraceInfo;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

constexpr char kTime[] = "[0-2][0-9]:[0-5][0-9]:[0-6][0-9]";

std::string Line(const char* number, const char* rest) {
  return std::string(number) + " " + kTime + " " + rest;
}

TEST_F(TraceTest, NestedContextsNameTheLineAndListTheCallStack) {
  LoadTraceSettings(4);
  OpenTraceFile();
  const CTraceContext a("A");
  const CTraceContext b("B");
  const CTraceContext c("C");
  g_TraceError("inside");
  g_TraceInfo("info has no call stack");
  const auto lines = EntryLines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_THAT(lines[2], MatchesRegex(Line("002", "INFO: Online Session gestartet !")));
  EXPECT_EQ(lines[3], Separator());
  EXPECT_THAT(lines[4], MatchesRegex(Line("003", "\\(C\\) ERROR: inside")));
  EXPECT_THAT(std::vector(lines.begin() + 5, lines.begin() + 10),
              ElementsAre("Aufrufstapel:", "001 A", "002 B", "003 C", Separator()));
  EXPECT_THAT(lines[10], MatchesRegex(Line("004", "\\(C\\) INFO: info has no call stack")));
  EXPECT_EQ(lines[11], Separator());
}

TEST_F(TraceTest, MarkersCutTheCallStackAndHideTheName) {
  LoadTraceSettings(4);
  OpenTraceFile();
  const CTraceContext a("A");
  {
    const CTraceContext marker;
    g_TraceError("under a marker");
    const CTraceContext b("B");
    g_TraceError("inside B");
  }
  g_TraceError("back in A");
  const auto lines = EntryLines();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_THAT(lines[4], MatchesRegex(Line("003", "ERROR: under a marker")));
  EXPECT_EQ(lines[5], Separator());
  EXPECT_THAT(lines[6], MatchesRegex(Line("004", "\\(B\\) ERROR: inside B")));
  EXPECT_THAT(std::vector(lines.begin() + 7, lines.begin() + 10),
              ElementsAre("Aufrufstapel:", "001 B", Separator()));
  EXPECT_THAT(lines[10], MatchesRegex(Line("005", "\\(A\\) ERROR: back in A")));
  EXPECT_THAT(std::vector(lines.begin() + 11, lines.end()),
              ElementsAre("Aufrufstapel:", "001 A", Separator()));
}

TEST_F(TraceTest, OnlyTheFirstNamedContextAnnouncesTheSessionUnderItsEnclosingName) {
  LoadTraceSettings(16);
  {
    const CTraceContext marker;
    const CTraceContext second_marker;
  }
  EXPECT_THAT(DebugOutput(), ::testing::IsEmpty());
  {
    // A null name pushes a marker, but as the first named construction it
    // announces the session; the later ones do not.
    const CTraceContext outer(nullptr);
    const CTraceContext first("first");
    const CTraceContext second("second");
  }
  EXPECT_THAT(DebugOutput(), ElementsAre("Online Session gestartet !\n"));

  ResetDiagnosticsForTesting();
  LoadTraceSettings(4);
  const CTraceContext outer_name("Outer");
  // The reset set the first-context flag again; Outer announced with no name.
  const auto lines = EntryLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_THAT(lines[0], MatchesRegex(Line("001", "INFO: Online Session gestartet !")));
}

TEST_F(TraceTest, CopiesPushNothingButPopAndEmptyStackIsHarmless) {
  LoadTraceSettings(4);
  OpenTraceFile();
  { const CTraceContext announce("announce"); }
  const CTraceContext a("A");
  {
    const CTraceContext b("B");
    CTraceContext copy(b);
    copy = a;
    g_TraceError("two entries");
  }  // copy and b pop B and A
  g_TraceError("none left");
  { const CTraceContext extra(nullptr); }
  const auto lines = EntryLines();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_THAT(lines[4], MatchesRegex(Line("003", "\\(B\\) ERROR: two entries")));
  EXPECT_THAT(std::vector(lines.begin() + 5, lines.begin() + 9),
              ElementsAre("Aufrufstapel:", "001 A", "002 B", Separator()));
  EXPECT_THAT(lines[9], MatchesRegex(Line("004", "ERROR: none left")));
}

}  // namespace
}  // namespace ebank::diagnostics
