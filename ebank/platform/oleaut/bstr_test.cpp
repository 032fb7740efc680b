#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {

TEST(BstrTest, NullIsAnEmptyStringEverywhere) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST(BstrTest, KeepsEmbeddedNulsAndTerminates) {
  const wchar_t source[] = {L'a', L'\0', L'b'};
  BSTR text = SysAllocStringLen(source, 3);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 3u);
  EXPECT_EQ(SysStringByteLen(text), 3 * sizeof(wchar_t));
  EXPECT_EQ(text[2], L'b');
  EXPECT_EQ(text[3], L'\0');
  SysFreeString(text);

  BSTR copy = SysAllocString(L"abc");
  EXPECT_EQ(SysStringLen(copy), 3u);
  EXPECT_STREQ(copy, L"abc");
  SysFreeString(copy);

  BSTR empty = SysAllocString(L"");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SysStringLen(empty), 0u);
  EXPECT_EQ(empty[0], L'\0');
  SysFreeString(empty);
}

TEST(BstrTest, OddByteLengthsAreKeptAndZeroPadded) {
  BSTR text = SysAllocStringByteLen("hello", 5);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringByteLen(text), 5u);
  EXPECT_EQ(SysStringLen(text), 5 / sizeof(wchar_t));
  const char* bytes = reinterpret_cast<const char*>(text);
  EXPECT_EQ(std::memcmp(bytes, "hello", 5), 0);
  for (std::size_t i = 5; i < 2 * sizeof(wchar_t) + sizeof(wchar_t); ++i) EXPECT_EQ(bytes[i], 0);
  SysFreeString(text);
}

TEST(BstrTest, UninitialisedAllocationStillTerminates) {
  BSTR text = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 4u);
  EXPECT_EQ(text[4], L'\0');
  SysFreeString(text);
}

TEST(BstrTest, LengthsBeyondThePrefixFailWithNull) {
  EXPECT_EQ(SysAllocStringLen(nullptr, 0x40000000u), nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
  EXPECT_EQ(SysAllocStringByteLen(nullptr, 0xFFFFFFFFu), nullptr);
}

TEST(BstrTest, InjectedFailuresYieldNullThenRecover) {
  BSTR text = SysAllocString(L"keep");
  ebank::platform::FailBstrAllocationsForTesting(2);
  EXPECT_EQ(SysAllocString(L"a"), nullptr);
  EXPECT_EQ(SysReAllocString(&text, L"b"), FALSE);
  EXPECT_STREQ(text, L"keep");
  SysFreeString(text);
  BSTR recovered = SysAllocString(L"c");
  EXPECT_STREQ(recovered, L"c");
  SysFreeString(recovered);
}

TEST(BstrTest, ReAllocLenKeepsTheContentAndGrowsInPlaceOnceItHasRoom) {
  BSTR text = nullptr;
  ASSERT_EQ(SysReAllocStringLen(&text, L"ab", 2), TRUE);  // null: a new string
  EXPECT_STREQ(text, L"ab");
  // Without a source the old characters that fit are kept.
  ASSERT_EQ(SysReAllocStringLen(&text, nullptr, 3), TRUE);
  EXPECT_EQ(SysStringLen(text), 3u);
  EXPECT_EQ(std::wmemcmp(text, L"ab", 2), 0);
  EXPECT_EQ(text[3], L'\0');
  // After one move the string has room: further growth keeps its address
  // until the room is used up, and never loses a character.
  std::wstring expected = L"ab";
  int moves = 0;
  for (wchar_t c = L'c'; c <= L'z'; ++c) {
    const BSTR before = text;
    ASSERT_EQ(SysReAllocStringLen(&text, nullptr, SysStringLen(text) + 1), TRUE);
    text[SysStringLen(text) - 1] = c;
    expected.push_back(c);
    if (text != before) ++moves;
    ASSERT_EQ(std::wstring(text, SysStringLen(text)),
              std::wstring(L"ab") + L'\0' + expected.substr(2))
        << "after " << static_cast<char>(c);
    ASSERT_EQ(text[SysStringLen(text)], L'\0');
  }
  EXPECT_LE(moves, 4) << "24 single-character steps grow geometrically";
  // Shrinking stays in place and terminates at the new length.
  const BSTR before = text;
  ASSERT_EQ(SysReAllocStringLen(&text, nullptr, 1), TRUE);
  EXPECT_EQ(text, before);
  EXPECT_STREQ(text, L"a");
  SysFreeString(text);
}

TEST(BstrTest, ReAllocLenCopiesFromASourceInsideTheString) {
  BSTR text = SysAllocString(L"abcdef");
  ASSERT_EQ(SysReAllocStringLen(&text, text + 2, 4), TRUE);  // a tail to the front
  EXPECT_STREQ(text, L"cdef");
  ASSERT_EQ(SysReAllocStringLen(&text, text, 4), TRUE);  // itself
  EXPECT_STREQ(text, L"cdef");
  // A source elsewhere, long enough to move the block.
  const std::wstring long_text(40, L'x');
  ASSERT_EQ(SysReAllocStringLen(&text, long_text.c_str(), 40), TRUE);
  EXPECT_EQ(std::wstring(text), long_text);
  SysFreeString(text);
}

TEST(BstrTest, ReAllocLenFailuresKeepTheString) {
  BSTR text = SysAllocString(L"keep");
  EXPECT_EQ(SysReAllocStringLen(nullptr, L"x", 1), FALSE);
  EXPECT_EQ(SysReAllocStringLen(&text, nullptr, 0x40000000u), FALSE);
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(SysReAllocStringLen(&text, nullptr, 2), FALSE);  // even in place
  EXPECT_STREQ(text, L"keep");
  EXPECT_EQ(SysStringLen(text), 4u);
  BSTR null_text = nullptr;
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(SysReAllocStringLen(&null_text, L"x", 1), FALSE);
  EXPECT_EQ(null_text, nullptr);
  ASSERT_EQ(SysReAllocStringLen(&text, nullptr, 0), TRUE);  // an empty string, not null
  EXPECT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 0u);
  EXPECT_EQ(text[0], L'\0');
  SysFreeString(text);
}

TEST(BstrTest, ReAllocLenKeepsOddByteLengthsTerminated) {
  BSTR text = SysAllocStringByteLen("hello", 5);
  ASSERT_EQ(SysReAllocStringLen(&text, nullptr, 8), TRUE);
  EXPECT_EQ(SysStringByteLen(text), 32u);
  EXPECT_EQ(std::memcmp(text, "hello", 5), 0);
  EXPECT_EQ(text[8], L'\0');
  SysFreeString(text);
}

#if defined(__SANITIZE_ADDRESS__)
// The room a grown string keeps behind its terminator is not addressable.
TEST(BstrDeathTest, ReadingPastTheTerminatorOfAGrownStringIsReported) {
  BSTR text = SysAllocString(L"abcd");
  ASSERT_EQ(SysReAllocStringLen(&text, nullptr, 5), TRUE);  // moves, with room
  ASSERT_EQ(SysReAllocStringLen(&text, nullptr, 6), TRUE);  // in place
  EXPECT_DEATH(
      {
        volatile wchar_t past = text[SysStringLen(text) + 1];
        (void)past;
      },
      "AddressSanitizer");
  SysFreeString(text);
}
#endif

TEST(BstrTest, ReAllocReplacesTheString) {
  BSTR text = SysAllocString(L"old");
  EXPECT_EQ(SysReAllocString(&text, L"newer"), TRUE);
  EXPECT_STREQ(text, L"newer");
  EXPECT_EQ(SysReAllocString(&text, nullptr), TRUE);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(SysReAllocString(nullptr, L"x"), FALSE);
}

}  // namespace
