#include "ebank/platform/oleaut/bstr.h"

#include <gtest/gtest.h>

#include <cstring>

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

TEST(BstrTest, ReAllocReplacesTheString) {
  BSTR text = SysAllocString(L"old");
  EXPECT_EQ(SysReAllocString(&text, L"newer"), TRUE);
  EXPECT_STREQ(text, L"newer");
  EXPECT_EQ(SysReAllocString(&text, nullptr), TRUE);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(SysReAllocString(nullptr, L"x"), FALSE);
}

}  // namespace
