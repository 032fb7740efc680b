#include "ebank/platform/com/variant_t.h"

#include <gtest/gtest.h>

#include "ebank/platform/com/com_error.h"
#include "ebank/platform/com/testing/com_error_for_testing.h"
#include "ebank/platform/com/testing/fake_com_object_for_testing.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace {

using ebank::testing::FakeComObject;

using ebank::testing::ComErrorOf;

TEST(VariantTTest, ConstructorsStoreTypeAndValue) {
  EXPECT_EQ(_variant_t().vt, VT_EMPTY);
  _variant_t number(LONG{-7});
  EXPECT_EQ(number.vt, VT_I4);
  EXPECT_EQ(number.lVal, -7);
  EXPECT_EQ(_variant_t(LONG{5}, VT_BOOL).boolVal, VARIANT_TRUE);
  EXPECT_EQ(_variant_t(E_FAIL, VT_ERROR).scode, E_FAIL);
  _variant_t date(36526.5, VT_DATE);
  EXPECT_EQ(date.vt, VT_DATE);
  EXPECT_EQ(date.date, 36526.5);
  EXPECT_EQ(_variant_t(false).boolVal, VARIANT_FALSE);
  CY cy;
  cy.int64 = 12345;
  EXPECT_EQ(_variant_t(cy).cyVal.int64, 12345);
  DECIMAL decimal{};
  decimal.Lo64 = 99;
  decimal.scale = 2;
  _variant_t holds_decimal(decimal);
  EXPECT_EQ(holds_decimal.vt, VT_DECIMAL);
  EXPECT_EQ(static_cast<DECIMAL>(holds_decimal).Lo64, 99u);
  EXPECT_EQ(static_cast<DECIMAL>(holds_decimal).scale, 2);

  EXPECT_EQ(ComErrorOf([] { _variant_t(LONG{1}, VT_BSTR); }), E_INVALIDARG);
  EXPECT_EQ(ComErrorOf([] { _variant_t(1.0, VT_I4); }), E_INVALIDARG);
}

TEST(VariantTTest, TextBecomesABstrThroughTheAnsiCodePage) {
  _variant_t narrow("\x80uro");
  ASSERT_EQ(narrow.vt, VT_BSTR);
  EXPECT_STREQ(narrow.bstrVal, L"\u20ACuro");
  _variant_t wide(L"wide");
  EXPECT_STREQ(wide.bstrVal, L"wide");
  _variant_t null_text(static_cast<const wchar_t*>(nullptr));
  EXPECT_EQ(null_text.vt, VT_BSTR);
  EXPECT_EQ(null_text.bstrVal, nullptr);

  _bstr_t source(SysAllocStringLen(L"a\0b", 3), false);
  _variant_t full(source);
  EXPECT_EQ(SysStringLen(full.bstrVal), 3u);
  EXPECT_NE(full.bstrVal, static_cast<const wchar_t*>(source));
  EXPECT_STREQ(static_cast<const char*>(static_cast<_bstr_t>(narrow)), "\x80uro");
}

TEST(VariantTTest, ExtractionConvertsAndRaisesOnFailure) {
  EXPECT_EQ(static_cast<LONG>(_variant_t(L"42")), 42);
  EXPECT_EQ(static_cast<double>(_variant_t(LONG{3})), 3.0);
  EXPECT_TRUE(static_cast<bool>(_variant_t(LONG{2})));
  EXPECT_STREQ(static_cast<const wchar_t*>(static_cast<_bstr_t>(_variant_t(LONG{7}))), L"7");
  EXPECT_TRUE(FAILED(ComErrorOf([] { static_cast<void>(static_cast<LONG>(_variant_t(L"x1"))); })));

  _variant_t changed(LONG{12});
  changed.ChangeType(VT_BSTR);
  EXPECT_EQ(changed.vt, VT_BSTR);
  EXPECT_STREQ(changed.bstrVal, L"12");
  _variant_t text(L"not a number");
  EXPECT_TRUE(FAILED(ComErrorOf([&] { text.ChangeType(VT_I4); })));
  EXPECT_EQ(text.vt, VT_BSTR);  // a failed change keeps the value
}

TEST(VariantTTest, OwnsItsValueAcrossCopiesAndTransfers) {
  FakeComObject* object = new FakeComObject();
  IDispatch* dispatch = object;
  {
    _variant_t held(dispatch);
    EXPECT_EQ(held.vt, VT_DISPATCH);
    EXPECT_EQ(object->references(), 2u);
    _variant_t copy = held;
    EXPECT_EQ(object->references(), 3u);
    copy = _variant_t(LONG{1});
    EXPECT_EQ(object->references(), 2u);
    IDispatch* extracted = held;
    EXPECT_EQ(extracted, dispatch);
    EXPECT_EQ(object->references(), 3u);
    extracted->Release();
  }
  EXPECT_EQ(object->references(), 1u);

  _variant_t taker;
  VARIANT raw;
  raw.vt = VT_BSTR;
  raw.bstrVal = SysAllocString(L"given");
  taker.Attach(raw);
  EXPECT_EQ(raw.vt, VT_EMPTY);
  EXPECT_STREQ(taker.bstrVal, L"given");
  VARIANT back = taker.Detach();
  EXPECT_EQ(taker.vt, VT_EMPTY);
  _variant_t retaken(back, false);
  EXPECT_STREQ(retaken.bstrVal, L"given");
  retaken.Clear();
  EXPECT_EQ(retaken.vt, VT_EMPTY);

  _variant_t unknown(static_cast<IUnknown*>(dispatch), false);  // takes the last reference
  EXPECT_EQ(object->references(), 1u);
}

}  // namespace
