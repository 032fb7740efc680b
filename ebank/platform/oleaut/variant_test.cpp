#include "ebank/platform/oleaut/variant.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/dispatch.h"
#include "ebank/platform/com/without_late_binding.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/var_currency.h"
#include "ebank/platform/oleaut/var_decimal.h"
#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace {

using ebank::platform::ComObject;
using ebank::platform::Implements;
using ebank::platform::WithoutLateBinding;

// An object with a reference count and a default property; it answers
// IDispatch only when `Ids` names it.
template <const IID*... Ids>
class CountedObject final : public ComObject<Implements<WithoutLateBinding<IDispatch>, Ids...>> {
 public:
  VARIANT value{};

  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                      UINT*) override {
    if (id != 0) return DISP_E_MEMBERNOTFOUND;
    return VariantCopy(result, &value);
  }

 private:
  ~CountedObject() override { VariantClear(&value); }
};
using PlainObject = CountedObject<>;
using DispatchObject = CountedObject<&IID_IDispatch>;

VARIANT Text(const wchar_t* text) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

VARIANT Long(LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

// Converts and returns the result; the source is left as it was.
VARIANT Change(const VARIANT& src, VARTYPE vt, HRESULT expected = S_OK, LCID lcid = 9,
               USHORT flags = 0) {
  VARIANT dest;
  VariantInit(&dest);
  EXPECT_EQ(VariantChangeTypeEx(&dest, &src, lcid, flags, vt), expected) << vt;
  return dest;
}

std::wstring TextOf(VARIANT v) {
  EXPECT_EQ(v.vt, VT_BSTR);
  std::wstring text = v.bstrVal == nullptr ? L"" : v.bstrVal;
  VariantClear(&v);
  return text;
}

TEST(VariantTest, CopyAndClearOwnTheirContents) {
  VARIANT text = Text(L"abc");
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
  EXPECT_NE(copy.bstrVal, text.bstrVal);
  EXPECT_STREQ(copy.bstrVal, L"abc");
  EXPECT_EQ(VariantClear(&copy), S_OK);
  EXPECT_EQ(copy.vt, VT_EMPTY);
  auto* object = new PlainObject;
  VARIANT unknown;
  unknown.vt = VT_UNKNOWN;
  unknown.punkVal = object;
  ASSERT_EQ(VariantCopy(&text, &unknown), S_OK);  // frees the string it replaces
  EXPECT_EQ(object->References(), 2u);
  EXPECT_EQ(VariantClear(&text), S_OK);
  EXPECT_EQ(object->References(), 1u);
  object->Release();
  VARIANT bad;
  bad.vt = 0x0FFF;
  EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantCopy(&copy, &bad), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

TEST(VariantTest, NumbersAndTexts) {
  EXPECT_EQ(TextOf(Change(Long(-42), VT_BSTR)), L"-42");
  VARIANT text = Text(L" -12 ");
  EXPECT_EQ(Change(text, VT_I4).lVal, -12);
  VariantClear(&text);
  for (auto [input, expected] : {std::pair{L"2.5", 2}, std::pair{L"3.5", 4}, {L"-2.5", -2}}) {
    VARIANT v = Text(input);
    EXPECT_EQ(Change(v, VT_I4).lVal, expected) << input;
    VariantClear(&v);
  }
  VARIANT junk = Text(L"12 apples");
  VARIANT dest = Long(5);
  EXPECT_EQ(VariantChangeType(&dest, &junk, 0, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(dest.lVal, 5);  // untouched on failure
  VariantClear(&junk);
  EXPECT_EQ(Change(Long(40000), VT_I2, DISP_E_OVERFLOW).vt, VT_EMPTY);
  VARIANT real;
  real.vt = VT_R8;
  real.dblVal = 0.1;
  EXPECT_EQ(TextOf(Change(real, VT_BSTR)), L"0.1");
  EXPECT_EQ(TextOf(Change(real, VT_BSTR, S_OK, 7)), L"0,1");
  real.dblVal = 1e20;
  EXPECT_EQ(TextOf(Change(real, VT_BSTR)), L"1E+20");
  real.dblVal = 2.5;
  EXPECT_EQ(Change(real, VT_I4).lVal, 2);
  real.dblVal = 3e9;
  Change(real, VT_I4, DISP_E_OVERFLOW);
}

TEST(VariantTest, CurrencyConversions) {
  VARIANT real;
  real.vt = VT_R8;
  real.dblVal = 1.03125;  // halves that binary holds exactly round to even
  EXPECT_EQ(Change(real, VT_CY).cyVal.int64, 10312);
  real.dblVal = -1.09375;
  EXPECT_EQ(Change(real, VT_CY).cyVal.int64, -10938);
  real.dblVal = 1e15;
  Change(real, VT_CY, DISP_E_OVERFLOW);
  VARIANT amount;
  amount.vt = VT_CY;
  amount.cyVal.int64 = -12345000;
  EXPECT_EQ(TextOf(Change(amount, VT_BSTR)), L"-1234.5");
  EXPECT_EQ(TextOf(Change(amount, VT_BSTR, S_OK, 7)), L"-1234,5");
  EXPECT_EQ(Change(amount, VT_R8).dblVal, -1234.5);
  EXPECT_EQ(Change(amount, VT_I4).lVal, -1234);
  const VARIANT decimal = Change(amount, VT_DECIMAL);
  EXPECT_EQ(Change(decimal, VT_CY).cyVal.int64, -12345000);
  EXPECT_EQ(TextOf(Change(decimal, VT_BSTR)), L"-1234.5");
  VARIANT text = Text(L"1.234,5");
  EXPECT_EQ(Change(text, VT_CY, S_OK, 7).cyVal.int64, 12345000);
  VariantClear(&text);
  {
    ebank::platform::ScopedEnvironmentVariable german("EBANK_LOCALE", "de");
    EXPECT_EQ(TextOf(Change(amount, VT_BSTR, S_OK, 0)), L"-1234,5");
  }
  EXPECT_EQ(TextOf(Change(amount, VT_BSTR, S_OK, 0)), L"-1234.5");
}

TEST(VariantTest, CurrencyRoundingAndTextExtremes) {
  struct Case {
    long long raw;
    int decimals;
    long long rounded;
  };
  for (const Case& c :
       {Case{1250, 2, 1200}, Case{1350, 2, 1400}, Case{-1250, 2, -1200}, Case{25000, 0, 20000},
        Case{35000, 0, 40000}, Case{12345, 4, 12345}, Case{12345, 9, 12345},
        Case{-9223372036854775807LL - 1, 2, -9223372036854775800LL}}) {
    CY in, out;
    in.int64 = c.raw;
    ASSERT_EQ(VarCyRound(in, c.decimals, &out), S_OK);
    EXPECT_EQ(out.int64, c.rounded) << c.raw << " " << c.decimals;
  }
  CY max, out;
  max.int64 = 9223372036854775807LL;
  EXPECT_EQ(VarCyRound(max, 0, &out), DISP_E_OVERFLOW);
  EXPECT_EQ(VarCyRound(max, -1, &out), E_INVALIDARG);
  BSTR text;
  ASSERT_EQ(VarBstrFromCy(max, 9, 0, &text), S_OK);
  EXPECT_STREQ(text, L"922337203685477.5807");
  SysFreeString(text);
  max.int64 = -max.int64 - 1;
  ASSERT_EQ(VarBstrFromCy(max, 7, 0, &text), S_OK);
  EXPECT_STREQ(text, L"-922337203685477,5808");
  SysFreeString(text);
  DECIMAL bad{};
  bad.scale = 29;
  EXPECT_EQ(VarBstrFromDec(&bad, 9, 0, &text), E_INVALIDARG);
}

TEST(VariantTest, InPlaceConversionFreesTheOldValue) {
  VARIANT v = Text(L"17");
  ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
  EXPECT_EQ(v.vt, VT_I4);
  EXPECT_EQ(v.lVal, 17);
  ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_BSTR), S_OK);
  EXPECT_STREQ(v.bstrVal, L"17");
  ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_EMPTY), S_OK);  // frees the string
  EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST(VariantTest, InterfacesAndDefaultValues) {
  auto* plain = new PlainObject;
  auto* dispatch = new DispatchObject;
  VARIANT unknown;
  unknown.vt = VT_UNKNOWN;
  unknown.punkVal = plain;
  Change(unknown, VT_DISPATCH, E_NOINTERFACE);
  EXPECT_EQ(plain->References(), 1u);
  unknown.punkVal = dispatch;
  VARIANT as_dispatch = Change(unknown, VT_DISPATCH);
  EXPECT_EQ(dispatch->References(), 2u);
  dispatch->value = Long(99);
  EXPECT_EQ(TextOf(Change(as_dispatch, VT_BSTR)), L"99");
  EXPECT_EQ(Change(as_dispatch, VT_I4, DISP_E_TYPEMISMATCH, 9, VARIANT_NOVALUEPROP).vt, VT_EMPTY);
  VariantClear(&as_dispatch);
  EXPECT_EQ(dispatch->References(), 1u);
  dispatch->Release();
  plain->Release();
  unknown.punkVal = nullptr;
  EXPECT_EQ(Change(unknown, VT_DISPATCH).pdispVal, nullptr);
}

TEST(VariantTest, HostileTypesAndReferences) {
  VARIANT src = Long(1);
  VARIANT dest;
  VariantInit(&dest);
  EXPECT_EQ(VariantChangeType(&dest, &src, 0, 0x0FFF), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantChangeType(&dest, &src, 0, VT_I4 | VT_BYREF), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantChangeType(nullptr, &src, 0, VT_I4), E_INVALIDARG);
  src.vt = VT_I4 | VT_BYREF;
  src.byref = nullptr;
  EXPECT_EQ(VariantChangeType(&dest, &src, 0, VT_BSTR), E_INVALIDARG);
  LONG target = 321;
  src.byref = &target;
  EXPECT_EQ(TextOf(Change(src, VT_BSTR)), L"321");
  VARIANT null;
  null.vt = VT_NULL;
  Change(null, VT_I4, DISP_E_TYPEMISMATCH);
  Change(null, VT_BSTR, DISP_E_TYPEMISMATCH);
  VARIANT decimal{};
  decimal.decVal.scale = 200;
  decimal.vt = VT_DECIMAL;
  Change(decimal, VT_CY, E_INVALIDARG);
  VARIANT empty;
  VariantInit(&empty);
  EXPECT_EQ(Change(empty, VT_I4).lVal, 0);
  EXPECT_EQ(TextOf(Change(empty, VT_BSTR)), L"");
}

}  // namespace
