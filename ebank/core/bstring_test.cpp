#include "ebank/core/bstring.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/core/exception.h"
#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"

namespace {

using BString = ddCOM::BString<wchar_t>;

std::wstring Units(const BString& text) {
  return std::wstring(static_cast<const wchar_t*>(text), text.Length());
}

template <typename Action>
HRESULT RaisedHResult(Action action) {
  try {
    action();
  } catch (const ddCOM::Exception& error) {
    return error.HResult();
  }
  return S_OK;
}

TEST(BStringTest, ConstructionKeepsTheAllocatorLength) {
  const wchar_t units[] = {L'a', L'\0', L'b'};
  BString with_nul(units, 3);
  EXPECT_EQ(with_nul.Length(), 3u);
  EXPECT_EQ(BString(with_nul).Length(), 3u);
  BSTR raw = with_nul.Copy();
  EXPECT_EQ(BString(ddCOM::IsBSTR(raw)).Length(), 3u);
  EXPECT_EQ(BString(static_cast<const wchar_t*>(raw)).Length(), 1u);  // plain text stops at NUL
  SysFreeString(raw);

  EXPECT_TRUE(BString(static_cast<const wchar_t*>(nullptr)).IsNothing());
  BString allocated_empty(L"");
  EXPECT_FALSE(allocated_empty.IsNothing());
  EXPECT_TRUE(allocated_empty.IsEmpty());
  EXPECT_TRUE(BString("").IsNothing());
  EXPECT_TRUE(BString(static_cast<const char*>(nullptr)).IsNothing());
  EXPECT_TRUE(BString("abc", 0).IsNothing());
  EXPECT_TRUE(BString(static_cast<const wchar_t*>(nullptr), 4).IsNothing());
  EXPECT_EQ(Units(BString("abcdef", 3)), L"abc");
}

TEST(BStringTest, NarrowTextIsWidenedByteForByte) {
  // No code page: 0x80 stays U+0080, 0xE4 becomes U+00E4.
  EXPECT_EQ(Units(BString("\x80\xE4z")), L"\u0080\u00E4z");
  BString text;
  text = "\xFF";
  EXPECT_EQ(Units(text), L"\u00FF");
  text += "\x01";
  EXPECT_EQ(Units(text), L"\u00FF\u0001");
}

TEST(BStringTest, ComparisonIgnoresCaseAndOrdersEmptyFirst) {
  const BString null_text;
  EXPECT_EQ(null_text.Compare(BString(L"")), 0);
  EXPECT_EQ(null_text.Compare(BString("x")), -1);
  EXPECT_EQ(BString("x").Compare(null_text), 1);
  EXPECT_EQ(BString("abc").Compare(BString("ABC")), 0);
  EXPECT_LT(BString("abc").Compare(BString("abd")), 0);
  EXPECT_GT(BString("b").Compare(BString("A")), 0);
  EXPECT_TRUE(BString("hbci") == "HBCI");
  EXPECT_FALSE(BString("hbci") == "HBC");
  EXPECT_TRUE(null_text == "");
  EXPECT_TRUE(BString(L"") == null_text);
}

TEST(BStringTest, ResizingAndAppending) {
  BString text("abc");
  text.Truncate(5);
  EXPECT_EQ(Units(text), L"abc");
  text.SetLength(2);
  EXPECT_EQ(Units(text), L"ab");
  text.Append("xyz", 2);
  EXPECT_EQ(Units(text), L"abxy");
  text.Append(nullptr, 3);
  text += static_cast<const char*>(nullptr);
  EXPECT_EQ(Units(text), L"abxy");
  text.Truncate(0);
  EXPECT_TRUE(text.IsNothing());

  BString formatted("A");
  EXPECT_EQ(formatted.AppendFormat("%d-%s", 7, "x"), 3);
  EXPECT_EQ(Units(formatted), L"A7-x");
  BString path;
  EXPECT_EQ(path.AppendFormat("%ws/%ws", L"KONTO", L"BLZ"), 9);
  EXPECT_EQ(Units(path), L"KONTO/BLZ");
  EXPECT_EQ(path.AppendFormat(nullptr), 0);
  // 64-bit amounts and pointers take their own arguments.
  BString amounts;
  EXPECT_EQ(amounts.AppendFormat("%I64d|%s|%p", 543210000000LL, "EUR", nullptr), 33);
  EXPECT_EQ(Units(amounts), L"543210000000|EUR|0000000000000000");
  // The formatter stops at 1023 characters.
  const std::string long_text(2000, 'q');
  BString capped;
  EXPECT_EQ(capped.AppendFormat("%s", long_text.c_str()), 1023);
  EXPECT_EQ(capped.Length(), 1023u);
}

TEST(BStringTest, AssignmentsReplaceTheOldString) {
  BString text("old");
  text = static_cast<const char*>(nullptr);
  EXPECT_TRUE(text.IsNothing());
  text = "new";
  const BString& same = text;
  text = same;
  EXPECT_EQ(Units(text), L"new");
  text.Assign(text.ByVal() + 1, 2);  // a source inside the string itself
  EXPECT_EQ(Units(text), L"ew");
  text.Assign(L"zz", 0);
  EXPECT_TRUE(text.IsNothing());
  BString moved_from("m");
  BString moved = std::move(moved_from);
  EXPECT_EQ(Units(moved), L"m");
}

TEST(BStringTest, OwnershipMembersForAutomationCalls) {
  BString text;
  EXPECT_STREQ(text.ByVal(), L"");
  EXPECT_STREQ(static_cast<const wchar_t*>(text), L"");
  text = "held";
  BSTR* slot = text.RetVal();
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(L"written");
  EXPECT_EQ(Units(text), L"written");
  BSTR detached = text.Detach();
  EXPECT_TRUE(text.IsNothing());
  text.Attach(detached);
  EXPECT_EQ(text.ByVal(), detached);
}

TEST(BStringTest, FailedAllocationRaisesAndKeepsOrEmpties) {
  BString text("keep");
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(RaisedHResult([&] { text.Append("more", 4); }), E_OUTOFMEMORY);
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(RaisedHResult([&] { text.SetLength(9); }), E_OUTOFMEMORY);
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(RaisedHResult([&] { text.AppendFormat("%d", 5); }), E_OUTOFMEMORY);
  EXPECT_EQ(Units(text), L"keep");

  const BString source("source");
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(RaisedHResult([&] { text = source; }), E_OUTOFMEMORY);
  EXPECT_TRUE(text.IsNothing());
  text = "again";
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(RaisedHResult([&] { text.Assign(L"abc", 3); }), E_OUTOFMEMORY);
  EXPECT_TRUE(text.IsNothing());
  text = "again";
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(RaisedHResult([&] { text = "narrow"; }), E_OUTOFMEMORY);
  EXPECT_TRUE(text.IsNothing());
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(RaisedHResult([] { BString copy(L"wide"); }), E_OUTOFMEMORY);
  ebank::platform::FailBstrAllocationsForTesting(0);
}

}  // namespace
