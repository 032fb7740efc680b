#include "ebank/platform/win32/debug_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using ebank::platform::DebugOutputSink;
using ebank::platform::MessageBoxSink;
using ebank::platform::SetDebugOutputSink;
using ebank::platform::SetMessageBoxSink;

TEST(DebugOutputTest, DebugTextReachesTheInstalledSink) {
  std::string captured;
  DebugOutputSink previous = SetDebugOutputSink([&](std::string_view text) { captured += text; });
  OutputDebugStringA("first\n");
  OutputDebugStringA(nullptr);
  OutputDebugStringA("second");
  EXPECT_EQ(captured, "first\nsecond");

  // Swapping back hands out the capturing sink; it receives nothing more.
  DebugOutputSink mine = SetDebugOutputSink(previous);
  ASSERT_TRUE(mine);
  mine("direct");
  testing::internal::CaptureStderr();
  OutputDebugStringA("to stderr");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "to stderr");
  EXPECT_EQ(captured, "first\nseconddirect");
}

TEST(DebugOutputTest, MessageBoxReportsCaptionTextAndType) {
  std::string seen;
  MessageBoxSink previous =
      SetMessageBoxSink([&](std::string_view caption, std::string_view text, UINT type) {
        seen = std::string(caption) + "|" + std::string(text) + "|" + std::to_string(type);
      });
  EXPECT_EQ(MessageBoxA(nullptr, "Text", "Caption", MB_OK | MB_ICONERROR), IDOK);
  EXPECT_EQ(seen, "Caption|Text|16");
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_ICONWARNING), IDOK);
  EXPECT_EQ(seen, "||48");
  // An empty sink restores the default, which writes without waiting.
  SetMessageBoxSink(MessageBoxSink());
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Body", "Title", MB_OK), IDOK);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find("Title"), std::string::npos);
  EXPECT_NE(printed.find("Body"), std::string::npos);
  SetMessageBoxSink(previous);
}

TEST(DebugOutputTest, SinksCanBeSwappedWhileOtherThreadsWrite) {
  std::atomic<int> first{0};
  std::atomic<int> second{0};
  DebugOutputSink previous = SetDebugOutputSink([&](std::string_view) { ++first; });
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([] {
      for (int i = 0; i < 500; ++i) OutputDebugStringA("x");
    });
  }
  for (int i = 0; i < 100; ++i) {
    SetDebugOutputSink([&first, &second, i](std::string_view) { ++(i % 2 == 0 ? second : first); });
  }
  for (std::thread& writer : writers) writer.join();
  SetDebugOutputSink(previous);
  EXPECT_EQ(first + second, 2000);
}

}  // namespace
