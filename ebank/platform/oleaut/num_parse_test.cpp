#include "ebank/platform/oleaut/num_parse.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/var_currency.h"

namespace {

struct Parsed {
  HRESULT hr;
  std::vector<int> digits;
  NUMPARSE numprs;
};

Parsed Parse(const wchar_t* text, ULONG flags, LCID lcid = 9, int room = 16) {
  BYTE digits[64] = {};
  Parsed parsed{};
  parsed.numprs = NUMPARSE{room, flags, 0, 0, 0, 0};
  parsed.hr = VarParseNumFromStr(text, lcid, 0, &parsed.numprs, digits);
  if (SUCCEEDED(parsed.hr)) parsed.digits.assign(digits, digits + parsed.numprs.cDig);
  return parsed;
}

TEST(NumParseTest, DigitsAndPowerOfTen) {
  Parsed p = Parse(L"1234,5", NUMPRS_DECIMAL, 7);
  ASSERT_EQ(p.hr, S_OK);
  EXPECT_EQ(p.digits, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(p.numprs.nPwr10, -1);
  EXPECT_EQ(p.numprs.cchUsed, 6);
  EXPECT_EQ(p.numprs.dwOutFlags, NUMPRS_DECIMAL);
  p = Parse(L"000.00100", NUMPRS_DECIMAL);
  EXPECT_EQ(p.digits, (std::vector<int>{1}));
  EXPECT_EQ(p.numprs.nPwr10, -3);
  p = Parse(L"1000", 0);
  EXPECT_EQ(p.digits, (std::vector<int>{1}));
  EXPECT_EQ(p.numprs.nPwr10, 3);
  p = Parse(L"0,000", NUMPRS_DECIMAL, 7);
  EXPECT_EQ(p.digits, (std::vector<int>{0}));
  EXPECT_EQ(p.numprs.nPwr10, 0);
}

TEST(NumParseTest, FlagsGovernWhatIsAccepted) {
  EXPECT_EQ(Parse(L"1.234,56", NUMPRS_DECIMAL, 7).numprs.cchUsed, 1);
  Parsed p = Parse(L"1.234,56", NUMPRS_DECIMAL | NUMPRS_THOUSANDS, 7);
  EXPECT_EQ(p.numprs.cchUsed, 8);
  EXPECT_EQ(p.numprs.nPwr10, -2);
  EXPECT_EQ(Parse(L"-12", NUMPRS_DECIMAL).hr, DISP_E_TYPEMISMATCH);
  p = Parse(L"-12", NUMPRS_LEADING_MINUS);
  EXPECT_EQ(p.numprs.dwOutFlags, NUMPRS_LEADING_MINUS | NUMPRS_NEG);
  EXPECT_EQ(Parse(L"+12", NUMPRS_LEADING_PLUS).numprs.dwOutFlags, NUMPRS_LEADING_PLUS);
  EXPECT_EQ(Parse(L" 5", 0).hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Parse(L"1e3", 0).numprs.cchUsed, 1);
  p = Parse(L"15E-3", NUMPRS_EXPONENT);
  EXPECT_EQ(p.numprs.nPwr10, -3);
  EXPECT_EQ(p.numprs.cchUsed, 5);
  EXPECT_EQ(Parse(L"1e", NUMPRS_EXPONENT).numprs.cchUsed, 1);
  EXPECT_EQ(Parse(L"12 ", NUMPRS_USE_ALL).hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Parse(L"(12", NUMPRS_PARENS).hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Parse(L"(12)", NUMPRS_PARENS).numprs.dwOutFlags, NUMPRS_PARENS | NUMPRS_NEG);
  EXPECT_EQ(Parse(L"", NUMPRS_STD).hr, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Parse(L",", NUMPRS_DECIMAL, 7).hr, DISP_E_TYPEMISMATCH);
}

TEST(NumParseTest, TooManyDigitsAreRoundedAndReported) {
  Parsed p = Parse(L"12345678901234567", NUMPRS_DECIMAL);
  EXPECT_NE(p.numprs.dwOutFlags & NUMPRS_INEXACT, 0u);
  EXPECT_EQ(p.digits, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 7}));
  EXPECT_EQ(p.numprs.nPwr10, 1);
  p = Parse(L"99999999999999999", NUMPRS_DECIMAL);  // rounds up to 10^17
  EXPECT_EQ(p.digits, (std::vector<int>{1}));
  EXPECT_EQ(p.numprs.nPwr10, 17);
  p = Parse(L"12345678901234560", NUMPRS_DECIMAL);  // a dropped zero is exact
  EXPECT_EQ(p.numprs.dwOutFlags & NUMPRS_INEXACT, 0u);
  EXPECT_EQ(p.numprs.nPwr10, 1);
}

TEST(NumParseTest, BadArguments) {
  BYTE digits[4];
  NUMPARSE numprs{4, NUMPRS_STD, 0, 0, 0, 0};
  EXPECT_EQ(VarParseNumFromStr(nullptr, 9, 0, &numprs, digits), E_INVALIDARG);
  EXPECT_EQ(VarParseNumFromStr(L"1", 9, 0, nullptr, digits), E_INVALIDARG);
  numprs.cDig = 0;
  EXPECT_EQ(VarParseNumFromStr(L"1", 9, 0, &numprs, digits), E_INVALIDARG);
  VARIANT result;
  EXPECT_EQ(VarNumFromParseNum(nullptr, digits, VTBIT_CY, &result), E_INVALIDARG);
  // A long text with a huge exponent stays within the digit array.
  const std::wstring huge = std::wstring(5000, L'7') + L"e999999999";
  Parsed p = Parse(huge.c_str(), NUMPRS_STD, 9, 4);
  EXPECT_EQ(p.hr, S_OK);
  EXPECT_EQ(p.numprs.cDig, 4);
}

VARIANT Convert(const wchar_t* text, ULONG vt_bits, HRESULT expected = S_OK, LCID lcid = 9) {
  BYTE digits[32];
  NUMPARSE numprs{32, NUMPRS_STD, 0, 0, 0, 0};
  VARIANT result{};
  EXPECT_EQ(VarParseNumFromStr(text, lcid, 0, &numprs, digits), S_OK) << text;
  EXPECT_EQ(VarNumFromParseNum(&numprs, digits, vt_bits, &result), expected) << text;
  return result;
}

TEST(NumParseTest, ConversionPicksTheFirstFittingType) {
  constexpr ULONG kAll = VTBIT_I1 | VTBIT_UI1 | VTBIT_I2 | VTBIT_UI2 | VTBIT_I4 | VTBIT_UI4 |
                         VTBIT_I8 | VTBIT_UI8 | VTBIT_R8 | VTBIT_CY | VTBIT_DECIMAL;
  EXPECT_EQ(Convert(L"7", kAll).vt, VT_I1);
  EXPECT_EQ(Convert(L"200", kAll).vt, VT_UI1);
  EXPECT_EQ(Convert(L"-40000", kAll).vt, VT_I4);
  EXPECT_EQ(Convert(L"1.5", kAll).vt, VT_R8);
  EXPECT_EQ(Convert(L"1.5", VTBIT_CY | VTBIT_DECIMAL).vt, VT_CY);
  EXPECT_EQ(Convert(L"1e20", VTBIT_CY | VTBIT_DECIMAL).vt, VT_DECIMAL);
  EXPECT_EQ(Convert(L"2.5", VTBIT_I4).lVal, 2);  // integers alone round half to even
  EXPECT_EQ(Convert(L"-3.5", VTBIT_I4).lVal, -4);
  EXPECT_EQ(Convert(L"&HFF", VTBIT_UI1 | VTBIT_I4).bVal, 255);
}

TEST(NumParseTest, CurrencyRangeAndRounding) {
  EXPECT_EQ(Convert(L"922337203685477.5807", VTBIT_CY).cyVal.int64, 9223372036854775807LL);
  EXPECT_EQ(Convert(L"-922337203685477.5808", VTBIT_CY).cyVal.int64, -9223372036854775807LL - 1);
  Convert(L"922337203685477.5808", VTBIT_CY, DISP_E_OVERFLOW);
  Convert(L"1e300", VTBIT_CY, DISP_E_OVERFLOW);
  EXPECT_EQ(Convert(L"0.00005", VTBIT_CY).cyVal.int64, 0);  // half to even
  EXPECT_EQ(Convert(L"0.00015", VTBIT_CY).cyVal.int64, 2);
  EXPECT_EQ(Convert(L"1e-300", VTBIT_CY).cyVal.int64, 0);
  EXPECT_EQ(Convert(L"1,5", VTBIT_CY, S_OK, 7).cyVal.int64, 15000);
}

// Amount texts of 64K characters in the shapes that cost most (leading or
// trailing zeros, blanks, grouping, exponent digits) read in one pass and
// give what their short forms give.
TEST(NumParseTest, LongAmountTextsAreReadInOnePass) {
  const std::wstring zeros(65536, L'0');
  const std::wstring groups = [] {
    std::wstring text = L"1";
    while (text.size() < 65536) text += L",000";
    return text;
  }();
  const struct {
    std::wstring text;
    HRESULT hr;
    LONGLONG raw;
  } kCases[] = {
      {zeros + L"1.5", S_OK, 15000},
      {L"2." + zeros, S_OK, 20000},
      {L"0." + zeros + L"1", S_OK, 0},
      {std::wstring(65536, L' ') + L"7 ", S_OK, 70000},
      {L"3e-" + zeros + L"0", S_OK, 30000},
      {L"1" + zeros, DISP_E_OVERFLOW, 0},
      {std::wstring(65536, L'9'), DISP_E_OVERFLOW, 0},
      {groups, DISP_E_OVERFLOW, 0},
      {zeros + L"x", DISP_E_TYPEMISMATCH, 0},
  };
  const auto start = std::chrono::steady_clock::now();
  for (const auto& c : kCases) {
    CY value{};
    EXPECT_EQ(VarCyFromStr(c.text.c_str(), 9, 0, &value), c.hr) << c.text.substr(0, 20);
    if (c.hr == S_OK) {
      EXPECT_EQ(value.int64, c.raw) << c.text.substr(0, 20);
    }
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
