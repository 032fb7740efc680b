#include "ebank/platform/com/bstr_t.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/platform/com/com_error.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"

namespace {

std::wstring Wide(const _bstr_t& text) {
  return std::wstring(static_cast<const wchar_t*>(text), text.length());
}

TEST(BstrTTest, CopiesShareOneStringUntilOneChanges) {
  _bstr_t first("abc");
  _bstr_t second = first;
  EXPECT_EQ(static_cast<const wchar_t*>(first), static_cast<const wchar_t*>(second));
  second += L"d";
  EXPECT_EQ(Wide(first), L"abc");
  EXPECT_EQ(Wide(second), L"abcd");
  EXPECT_EQ(Wide("<" + first + L">"), L"<abc>");
  EXPECT_EQ(Wide(L"x" + _bstr_t()), L"x");
}

TEST(BstrTTest, NarrowTextGoesThroughTheAnsiCodePage) {
  // 0x80 is the euro sign in the Western code page, not U+0080.
  _bstr_t text("\x80 \xE4");
  EXPECT_EQ(Wide(text), L"\u20AC \u00E4");
  EXPECT_STREQ(static_cast<const char*>(text), "\x80 \xE4");

  _bstr_t wide(L"\u20AC\u4E2D");
  EXPECT_STREQ(static_cast<const char*>(wide), "\x80?");
  // The narrow form is remade after the text was replaced through GetBSTR.
  BSTR& slot = wide.GetBSTR();
  SysFreeString(slot);
  slot = SysAllocString(L"new");
  EXPECT_STREQ(static_cast<const char*>(wide), "new");
}

TEST(BstrTTest, NullIsEmptyEverywhere) {
  for (const _bstr_t& empty : {_bstr_t(), _bstr_t(static_cast<const char*>(nullptr)),
                               _bstr_t(static_cast<const wchar_t*>(nullptr))}) {
    EXPECT_TRUE(!empty);
    EXPECT_EQ(empty.length(), 0u);
    EXPECT_EQ(static_cast<const wchar_t*>(empty), nullptr);
    EXPECT_EQ(static_cast<const char*>(empty), nullptr);
    EXPECT_EQ(empty.copy(), nullptr);
  }
  EXPECT_FALSE(!_bstr_t(L""));
}

TEST(BstrTTest, ComparesWholeTextsOrdinally) {
  EXPECT_LT(_bstr_t("abc"), _bstr_t("abd"));
  EXPECT_LT(_bstr_t("abc"), _bstr_t("abcd"));
  EXPECT_GT(_bstr_t("b"), _bstr_t("abc"));
  EXPECT_NE(_bstr_t("A"), _bstr_t("a"));
  EXPECT_LT(_bstr_t(), _bstr_t(L""));
  EXPECT_EQ(_bstr_t(), _bstr_t(static_cast<const char*>(nullptr)));

  const wchar_t units[] = {L'a', L'\0', L'b'};
  _bstr_t with_nul(SysAllocStringLen(units, 3), false);
  _bstr_t other_tail(SysAllocStringLen(L"a\0c", 3), false);
  EXPECT_EQ(with_nul.length(), 3u);
  EXPECT_LT(with_nul, other_tail);
  BSTR copy = with_nul.copy();
  EXPECT_EQ(SysStringLen(copy), 3u);
  EXPECT_EQ(copy[2], L'b');
  SysFreeString(copy);
}

TEST(BstrTTest, OwnershipTransfers) {
  BSTR raw = SysAllocString(L"owned");
  _bstr_t holder;
  holder.Attach(raw);
  EXPECT_EQ(holder.copy(false), raw);
  _bstr_t sharer = holder;
  EXPECT_EQ(holder.Detach(), raw);
  EXPECT_TRUE(!sharer);  // a detached string leaves all its holders
  SysFreeString(raw);

  BSTR source = SysAllocString(L"copied");
  holder.Assign(source);
  SysFreeString(source);
  EXPECT_EQ(Wide(holder), L"copied");
  _bstr_t keeper = holder;
  BSTR* out = holder.GetAddress();
  EXPECT_EQ(*out, nullptr);
  *out = SysAllocString(L"result");
  EXPECT_EQ(Wide(holder), L"result");
  EXPECT_EQ(Wide(keeper), L"copied");
}

TEST(BstrTTest, AllocationFailureRaisesOutOfMemory) {
  ebank::platform::FailBstrAllocationsForTesting(1);
  try {
    _bstr_t text(L"x");
    FAIL() << "no exception";
  } catch (const _com_error& error) {
    EXPECT_EQ(error.Error(), E_OUTOFMEMORY);
  }
  _bstr_t left("left");
  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_THROW(left += _bstr_t(), _com_error);
  EXPECT_EQ(Wide(left), L"left");
}

}  // namespace
