#include "ebank/platform/win32/wide_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(WideStringTest, WcsicmpFoldsAsciiAndLatin1ToLowerCase) {
  EXPECT_EQ(_wcsicmp(L"Konto", L"kONTO"), 0);
  EXPECT_EQ(_wcsicmp(L"\u00C4RGER \u00DE", L"\u00E4rger \u00FE"), 0);
  EXPECT_NE(_wcsicmp(L"\u00D7", L"\u00F7"), 0);  // multiplication and division signs
  EXPECT_NE(_wcsicmp(L"\u0100", L"\u0101"), 0);  // beyond Latin-1 nothing folds
  EXPECT_LT(_wcsicmp(L"a", L"B"), 0);
  EXPECT_GT(_wcsicmp(L"abc", L"AB"), 0);
  EXPECT_LT(_wcsicmp(L"", L"a"), 0);
  // Folding goes to lower case: '[' (0x5B) sorts before 'a' (0x61).
  EXPECT_LT(_wcsicmp(L"[", L"A"), 0);
  EXPECT_EQ(_wcsicmp(nullptr, nullptr), 0);
  EXPECT_LT(_wcsicmp(nullptr, L""), 0);
  EXPECT_GT(_wcsicmp(L"", nullptr), 0);
}

TEST(WideStringTest, WtolReadsLeadingDecimalNumber) {
  EXPECT_EQ(_wtol(L"  \t\n-123abc"), -123);
  EXPECT_EQ(_wtol(L"+42"), 42);
  EXPECT_EQ(_wtol(L"0001234"), 1234);
  EXPECT_EQ(_wtol(L"1234-5"), 1234);
  EXPECT_EQ(_wtol(L"abc"), 0);
  EXPECT_EQ(_wtol(L"- 5"), 0);
  EXPECT_EQ(_wtol(L""), 0);
  EXPECT_EQ(_wtol(nullptr), 0);
  EXPECT_EQ(_wtol(L"2147483647"), INT32_MAX);
  EXPECT_EQ(_wtol(L"-2147483648"), INT32_MIN);
  EXPECT_EQ(_wtol(L"2147483648"), INT32_MAX);
  EXPECT_EQ(_wtol(L"-99999999999999999999999"), INT32_MIN);
}

TEST(WideStringTest, LtowAndLtoaWriteEveryRadix) {
  wchar_t wide[40];
  EXPECT_STREQ(_ltow(-2147483647 - 1, wide, 10), L"-2147483648");
  EXPECT_STREQ(_ltow(0, wide, 10), L"0");
  EXPECT_STREQ(_ltow(-1, wide, 16), L"ffffffff");
  EXPECT_STREQ(_ltow(35, wide, 36), L"z");
  EXPECT_STREQ(_ltow(INT32_MIN, wide, 2), (L"1" + std::wstring(31, L'0')).c_str());
  EXPECT_STREQ(_ltow(5, wide, 1), L"");
  EXPECT_STREQ(_ltow(5, wide, 37), L"");
  EXPECT_EQ(_ltow(5, nullptr, 10), nullptr);

  char narrow[40];
  EXPECT_STREQ(_ltoa(-255, narrow, 10), "-255");
  EXPECT_STREQ(_ltoa(-255, narrow, 16), "ffffff01");
  EXPECT_STREQ(_ltoa(8, narrow, 8), "10");
  EXPECT_EQ(_ltoa(-1, narrow, 10), narrow);
}

}  // namespace
