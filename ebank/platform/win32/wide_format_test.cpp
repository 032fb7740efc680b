#include "ebank/platform/win32/wide_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cwchar>
#include <string>

#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace {

using ebank::platform::ScopedEnvironmentVariable;

template <typename... Args>
std::wstring FormatW(const wchar_t* format, Args... args) {
  wchar_t buffer[1024 + 8];
  std::wmemset(buffer, L'#', 1024 + 8);
  const int length = wsprintfW(buffer, format, args...);
  EXPECT_EQ(std::wcslen(buffer), static_cast<std::size_t>(length));
  for (int i = 1024; i < 1024 + 8; ++i) EXPECT_EQ(buffer[i], L'#');
  return std::wstring(buffer, static_cast<std::size_t>(length));
}

TEST(WideFormatTest, WideFormatSwapsTheMeaningOfSAndC) {
  ScopedEnvironmentVariable acp("EBANK_ACP", nullptr);
  EXPECT_EQ(FormatW(L"%s|%ls|%ws|%S|%hs", L"w", L"l", L"x", "n", "h"), L"w|l|x|n|h");
  EXPECT_EQ(FormatW(L"%c%lc%C%hc", L'\u00E4', L'b', 'c', 'd'), L"\u00E4bcd");
  // Narrow arguments are widened through the ANSI code page.
  EXPECT_EQ(FormatW(L"%S|%C", "\x80\xE4", '\x80'), L"\u20AC\u00E4|\u20AC");
  EXPECT_EQ(
      FormatW(L"%s|%S", static_cast<const wchar_t*>(nullptr), static_cast<const char*>(nullptr)),
      L"(null)|(null)");
  EXPECT_EQ(FormatW(L"%-4d|%04X|%ld", -1, 0xBEEFu, INT_MIN), L"-1  |BEEF|-2147483648");
  EXPECT_EQ(FormatW(L"%s", std::wstring(3000, L'z').c_str()), std::wstring(1023, L'z'));
}

TEST(WideFormatTest, WideFormatKnowsTheSizePrefixesAndPointers) {
  constexpr long long kValue = 0x000123450067890A;
  EXPECT_EQ(FormatW(L"%I64X|%I32X|%I64u|%Ix|%s", kValue, static_cast<std::uint32_t>(kValue), -123LL,
                    std::intptr_t{-0x12345}, L"end"),
            L"123450067890A|67890A|18446744073709551493|fffffffffffedcbb|end");
  EXPECT_EQ(
      FormatW(L"%p|%Id", reinterpret_cast<void*>(std::intptr_t{-0x12345}), std::intptr_t{-12345}),
      L"FFFFFFFFFFFEDCBB|-12345");
}

TEST(WideFormatTest, SnwprintfReportsTruncationLikeTheRuntime) {
  wchar_t buffer[8];
  std::wmemset(buffer, L'#', 8);
  EXPECT_EQ(_snwprintf(buffer, 6, L"%d-%s", 12, L"ab"), 5);
  EXPECT_STREQ(buffer, L"12-ab");

  // Exactly full: the length comes back but no terminator is written.
  std::wmemset(buffer, L'#', 8);
  EXPECT_EQ(_snwprintf(buffer, 5, L"%d-%s", 12, L"ab"), 5);
  EXPECT_EQ(std::wstring(buffer, 6), L"12-ab#");

  // Too long: -1, `count` characters written and nothing beyond.
  std::wmemset(buffer, L'#', 8);
  EXPECT_EQ(_snwprintf(buffer, 4, L"%d-%s", 12, L"ab"), -1);
  EXPECT_EQ(std::wstring(buffer, 8), L"12-a####");

  // A null buffer of size 0 measures the text.
  EXPECT_EQ(_snwprintf(nullptr, 0, L"%d-%S", 12345, "abc"), 9);
  EXPECT_EQ(_snwprintf(nullptr, 4, L"x"), -1);
  EXPECT_EQ(_snwprintf(buffer, 8, nullptr), -1);
}

TEST(WideFormatTest, SnwprintfKnowsRuntimeConversions) {
  wchar_t buffer[64];
  EXPECT_GT(
      _snwprintf(buffer, 64, L"%lld|%I64u|%o|%*d|%.*s", INT64_MIN, UINT64_MAX, 8u, 4, 7, 2, L"abc"),
      0);
  EXPECT_STREQ(buffer, L"-9223372036854775808|18446744073709551615|10|   7|ab");
  EXPECT_EQ(_snwprintf(buffer, 64, L"%p", reinterpret_cast<void*>(std::uintptr_t{0xABCDEF})), 16);
  EXPECT_STREQ(buffer, L"0000000000ABCDEF");
  EXPECT_EQ(_snwprintf(buffer, 64, L"%+.2f|%-6.1e|%07.3Lg|%S", 2.5, 1e10, 0.5L, "n"), 23);
  EXPECT_STREQ(buffer, L"+2.50|1.0e+10|00000.5|n");
}

}  // namespace
