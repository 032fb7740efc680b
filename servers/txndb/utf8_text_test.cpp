#include "servers/txndb/utf8_text.h"

#include <gtest/gtest.h>

namespace ebank::txndb {
namespace {

TEST(Utf8TextTest, RoundTripsEveryPlane) {
  const std::wstring wide = L"a\u00e4\u20ac\U0001F600";
  const std::string utf8 = WideToUtf8(wide);
  EXPECT_EQ(utf8, "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8ToWide(utf8), wide);
  EXPECT_EQ(Utf8ToWide(std::string("x\0y", 3)), std::wstring(L"x\0y", 3));
}

TEST(Utf8TextTest, ReplacesMalformedInputInsteadOfFailing) {
  // Stray continuation, overlong form, encoded surrogate, truncated sequence.
  EXPECT_EQ(Utf8ToWide("\x80"), L"\uFFFD");
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToWide("a\xE2\x82"), L"a\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80z"), L"\uFFFD\uFFFD\uFFFD\uFFFDz");
  const wchar_t invalid[] = {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), L'b', 0};
  EXPECT_EQ(WideToUtf8(invalid),
            "\xEF\xBF\xBD\xEF\xBF\xBD"
            "b");
}

}  // namespace
}  // namespace ebank::txndb
