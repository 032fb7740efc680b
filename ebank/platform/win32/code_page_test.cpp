#include "ebank/platform/win32/code_page.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/last_error.h"
#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace {

using ebank::platform::ScopedEnvironmentVariable;

std::wstring ToWide(UINT code_page, const std::string& text, DWORD flags = 0) {
  wchar_t out[64] = {};
  const int n =
      MultiByteToWideChar(code_page, flags, text.data(), static_cast<int>(text.size()), out, 64);
  return std::wstring(out, static_cast<std::size_t>(n));
}

std::string ToNarrow(UINT code_page, const std::wstring& text) {
  char out[64] = {};
  const int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), out,
                                    64, nullptr, nullptr);
  return std::string(out, static_cast<std::size_t>(n));
}

TEST(CodePageTest, Windows1252MapsItsSpecialBytesBothWays) {
  ScopedEnvironmentVariable acp("EBANK_ACP", nullptr);
  const std::string narrow = "\x80 \xE4\xF6\xFC\xC4\xDF \x84\x93 \x9F \x81";
  const std::wstring wide = L"\u20AC \u00E4\u00F6\u00FC\u00C4\u00DF \u201E\u201C \u0178 \u0081";
  EXPECT_EQ(ToWide(CP_ACP, narrow), wide);
  EXPECT_EQ(ToWide(1252, narrow), wide);
  EXPECT_EQ(ToNarrow(CP_ACP, wide), narrow);
  EXPECT_EQ(ToNarrow(CP_THREAD_ACP, wide), narrow);
}

TEST(CodePageTest, UnmappableCharactersBecomeTheDefaultCharacter) {
  const std::wstring wide = L"a\u0100b\u4E2D\U0001F600c";
  BOOL used = FALSE;
  char out[16] = {};
  EXPECT_EQ(WideCharToMultiByte(1252, 0, wide.c_str(), -1, out, 16, nullptr, &used), 7);
  EXPECT_STREQ(out, "a?b??c");
  EXPECT_TRUE(used);

  EXPECT_EQ(WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, out, 16, "#", &used),
            7);
  EXPECT_STREQ(out, "a#b##c");

  EXPECT_EQ(WideCharToMultiByte(1252, 0, L"plain", -1, out, 16, nullptr, &used), 6);
  EXPECT_FALSE(used);
}

TEST(CodePageTest, Utf8HandlesMultiByteAndSupplementaryCharacters) {
  const std::string narrow = "A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";
  const std::wstring wide = L"A\u00E4\u20AC\U0001F600";
  EXPECT_EQ(ToWide(CP_UTF8, narrow), wide);
  EXPECT_EQ(ToNarrow(CP_UTF8, wide), narrow);
  // A lone surrogate or a value beyond Unicode cannot be encoded.
  const std::wstring bad = {L'x', static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000)};
  EXPECT_EQ(ToNarrow(CP_UTF8, bad), "x\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(CodePageTest, InvalidUtf8IsReplacedOrRejected) {
  // Stray continuation, overlong form, encoded surrogate, truncated sequence.
  for (const std::string bad :
       {"\x80", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\xF5\x80\x80\x80"}) {
    const std::string text = "a" + bad + "b";
    const std::wstring wide = ToWide(CP_UTF8, text);
    ASSERT_GE(wide.size(), 3u) << text;
    EXPECT_EQ(wide.front(), L'a');
    EXPECT_EQ(wide.back(), L'b');
    EXPECT_NE(wide.find(L'\uFFFD'), std::wstring::npos);

    wchar_t out[16];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                  static_cast<int>(text.size()), out, 16),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  }
}

TEST(CodePageTest, SizeQueriesAndSmallBuffers) {
  // -1 counts the terminator; out_count 0 only measures.
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE2\x82\xAC", -1, nullptr, 0), 2);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"\u20AC", -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(1252, 0, L"\u20AC", 1, nullptr, 0, nullptr, nullptr), 1);

  wchar_t wide[4] = {L'#', L'#', L'#', L'#'};
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(1252, 0, "abcd", -1, wide, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(wide[3], L'#');

  char narrow[5] = {'#', '#', '#', '#', '#'};
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"a\u20AC", 2, narrow, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(narrow[3], '#');
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"a\u20AC", 2, narrow, 4, nullptr, nullptr), 4);
  EXPECT_EQ(std::string(narrow, 4), "a\xE2\x82\xAC");
}

TEST(CodePageTest, RejectsInvalidArguments) {
  wchar_t wide[8];
  char narrow[8];
  const auto fails_with = [](int result, LONG error) {
    return result == 0 && GetLastError() == static_cast<DWORD>(error);
  };
  EXPECT_TRUE(
      fails_with(MultiByteToWideChar(1252, 0, nullptr, -1, wide, 8), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with(MultiByteToWideChar(1252, 0, "a", 0, wide, 8), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with(MultiByteToWideChar(1252, 0, "a", -2, wide, 8), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(
      fails_with(MultiByteToWideChar(1252, 0, "a", 1, nullptr, 8), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with(MultiByteToWideChar(1252, 0, "a", 1, wide, -1), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with(MultiByteToWideChar(437, 0, "a", 1, wide, 8), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with(MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, wide, 8),
                         ERROR_INVALID_FLAGS));
  EXPECT_TRUE(fails_with(MultiByteToWideChar(1252, 0x1000, "a", 1, wide, 8), ERROR_INVALID_FLAGS));
  BOOL used;
  EXPECT_TRUE(fails_with(WideCharToMultiByte(CP_UTF8, 0, L"a", 1, narrow, 8, nullptr, &used),
                         ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with(WideCharToMultiByte(CP_UTF8, 0, L"a", 1, narrow, 8, "?", nullptr),
                         ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(fails_with(WideCharToMultiByte(1252, 0x8000, L"a", 1, narrow, 8, nullptr, nullptr),
                         ERROR_INVALID_FLAGS));
  EXPECT_TRUE(fails_with(
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, L"\xD800", 1, narrow, 8, nullptr, nullptr),
      ERROR_NO_UNICODE_TRANSLATION));
}

TEST(CodePageTest, EnvironmentSelectsTheAnsiCodePage) {
  {
    ScopedEnvironmentVariable acp("EBANK_ACP", nullptr);
    EXPECT_EQ(GetACP(), 1252u);
  }
  {
    ScopedEnvironmentVariable acp("EBANK_ACP", "65001");
    EXPECT_EQ(GetACP(), CP_UTF8);
    EXPECT_EQ(ToNarrow(CP_ACP, L"\u20AC"), "\xE2\x82\xAC");
    EXPECT_EQ(ebank::platform::WideFromNarrow("\xC3\xA4"), L"\u00E4");
  }
  {
    ScopedEnvironmentVariable acp("EBANK_ACP", "28591");
    EXPECT_EQ(GetACP(), CP_LATIN_1);
    EXPECT_EQ(ToWide(CP_ACP, "\x80\xE4"), L"\u0080\u00E4");
    EXPECT_EQ(ToNarrow(CP_ACP, L"\u20AC\u00FF"), "?\xFF");
  }
  for (const char* unsupported : {"437", "", "65001x", "4294967296065001"}) {
    ScopedEnvironmentVariable acp("EBANK_ACP", unsupported);
    EXPECT_EQ(GetACP(), 1252u) << unsupported;
  }
}

TEST(CodePageTest, WholeStringHelpersKeepEmbeddedNuls) {
  ScopedEnvironmentVariable acp("EBANK_ACP", nullptr);
  const std::wstring wide(L"a\0\u20AC", 3);
  const std::string narrow("a\0\x80", 3);
  EXPECT_EQ(ebank::platform::NarrowFromWide(wide), narrow);
  EXPECT_EQ(ebank::platform::WideFromNarrow(narrow), wide);
  EXPECT_EQ(ebank::platform::NarrowFromWide(L""), "");
}

}  // namespace
