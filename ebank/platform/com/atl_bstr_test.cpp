#include "ebank/platform/com/atl_bstr.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ebank/platform/com/atl_exception.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"

namespace {

using ebank::platform::FailBstrAllocationsForTesting;

TEST(CComBSTRTest, WideTextIsCopiedUpToTheFirstNul) {
  const wchar_t text[] = L"ab\0cd";
  CComBSTR holder(text);
  ASSERT_NE(holder.m_str, nullptr);
  EXPECT_NE(holder.m_str, text);
  EXPECT_EQ(holder.Length(), 2u);
  EXPECT_STREQ(holder.m_str, L"ab");

  holder = L"";
  ASSERT_NE(holder.m_str, nullptr) << "an empty text is an allocated empty string";
  EXPECT_EQ(holder.Length(), 0u);

  holder = static_cast<LPCOLESTR>(nullptr);
  EXPECT_EQ(holder.m_str, nullptr);
}

TEST(CComBSTRTest, AssigningItsOwnTextKeepsTheString) {
  CComBSTR holder(L"konto");
  BSTR before = holder.m_str;
  holder = static_cast<LPCOLESTR>(holder.m_str);
  EXPECT_EQ(holder.m_str, before);
  EXPECT_STREQ(holder.m_str, L"konto");

  // A pointer into the middle of the held string is copied before the old
  // string goes away.
  holder = static_cast<LPCOLESTR>(holder.m_str + 2);
  EXPECT_STREQ(holder.m_str, L"nto");

  CComBSTR& same = holder;
  holder = same;
  EXPECT_STREQ(holder.m_str, L"nto");
}

TEST(CComBSTRTest, CopiesFromAnotherHolderKeepTheFullByteLength) {
  const char bytes[] = "a\0b\0c";
  CComBSTR source;
  source.Attach(SysAllocStringByteLen(bytes, 5));  // odd byte count, embedded NULs
  CComBSTR copied(source);
  CComBSTR assigned(L"old");
  assigned = source;
  for (const CComBSTR* holder : {&copied, &assigned}) {
    ASSERT_NE(holder->m_str, nullptr);
    EXPECT_NE(holder->m_str, source.m_str);
    EXPECT_EQ(SysStringByteLen(holder->m_str), 5u);
    EXPECT_EQ(std::memcmp(holder->m_str, bytes, 5), 0);
  }
  BSTR copy = source.Copy();
  EXPECT_EQ(SysStringByteLen(copy), 5u);
  SysFreeString(copy);

  CComBSTR empty;
  assigned = empty;
  EXPECT_EQ(assigned.m_str, nullptr);
  EXPECT_EQ(empty.Copy(), nullptr);
}

TEST(CComBSTRTest, FailedAllocationsThrowOutOfMemoryAndKeepTheOldString) {
  CComBSTR holder(L"bleibt");
  const CComBSTR other(L"neu");

  FailBstrAllocationsForTesting(1);
  try {
    holder = L"neu";
    FAIL() << "a failed allocation must throw";
  } catch (const CAtlException& error) {
    EXPECT_EQ(static_cast<HRESULT>(error), E_OUTOFMEMORY);
  }
  EXPECT_STREQ(holder.m_str, L"bleibt");

  FailBstrAllocationsForTesting(1);
  EXPECT_THROW(holder = other, CAtlException);
  EXPECT_STREQ(holder.m_str, L"bleibt");

  FailBstrAllocationsForTesting(1);
  EXPECT_THROW(CComBSTR{L"x"}, CAtlException);
  FailBstrAllocationsForTesting(1);
  EXPECT_THROW(holder.Copy(), CAtlException);
  FailBstrAllocationsForTesting(0);

  // Null needs no allocation and so cannot fail.
  FailBstrAllocationsForTesting(1);
  EXPECT_NO_THROW(holder = static_cast<LPCOLESTR>(nullptr));
  FailBstrAllocationsForTesting(0);
}

TEST(CComBSTRTest, DetachAndAttachHandOverOwnership) {
  CComBSTR holder(L"text");
  BSTR taken = holder.Detach();
  EXPECT_EQ(holder.m_str, nullptr);
  EXPECT_STREQ(taken, L"text");
  holder.Attach(taken);
  EXPECT_EQ(holder.m_str, taken);
  holder.Empty();
  EXPECT_EQ(holder.m_str, nullptr);
}

}  // namespace
