#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ebank/diagnostics/testing/trace_test_fixture.h"
#include "ebank/diagnostics/trace.h"

namespace ebank::diagnostics {
namespace {

TEST_F(TraceTest, EntriesOfEightThreadsNeverInterleave) {
  constexpr int kThreads = 8;
  constexpr int kEntriesPerThread = 200;
  LoadTraceSettings(12);
  OpenTraceFile();
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kEntriesPerThread; ++i) {
        if (i % 2 == 0) {
          ovEBankHelper::g_TraceInfo("thread %d entry %d", t, i);
        } else {
          ovEBankHelper::g_TraceWarn("thread %d entry %d", t, i);
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();

  const auto lines = EntryLines();
  ASSERT_EQ(lines.size(), 2u + 2u * kThreads * kEntriesPerThread);
  std::set<std::string> seen;
  for (size_t i = 2; i < lines.size(); i += 2) {
    const int expected_number = static_cast<int>(i / 2) + 1;
    int number = 0, thread = 0, entry = 0;
    char level[16] = {};
    ASSERT_EQ(std::sscanf(lines[i].c_str(), "%d %*8s %15[A-Z]: thread %d entry %d", &number, level,
                          &thread, &entry),
              4)
        << lines[i];
    EXPECT_EQ(number, expected_number);
    EXPECT_STREQ(level, entry % 2 == 0 ? "INFO" : "WARNING");
    EXPECT_TRUE(seen.insert(std::to_string(thread) + "/" + std::to_string(entry)).second);
    EXPECT_EQ(lines[i + 1], Separator()) << "after " << lines[i];
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kEntriesPerThread));
}

}  // namespace
}  // namespace ebank::diagnostics
