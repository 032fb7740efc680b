#include "ebank/platform/oleaut/var_format.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/var_date.h"
#include "ebank/platform/oleaut/variant.h"
#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace {

constexpr double kMonday5May2008 = 39573.0;
constexpr double kAfternoon = kMonday5May2008 + (14 * 3600 + 30 * 60 + 7) / 86400.0;

class VarFormatTest : public ::testing::Test {
 protected:
  static std::wstring Format(double date, const wchar_t* format, int first_day = 0,
                             int first_week = 0) {
    VARIANT value;
    value.vt = VT_DATE;
    value.date = date;
    BSTR out = nullptr;
    const HRESULT hr =
        VarFormat(&value, const_cast<OLECHAR*>(format), first_day, first_week, 0, &out);
    EXPECT_EQ(hr, S_OK) << format;
    std::wstring text = out == nullptr ? L"(null)" : out;
    SysFreeString(out);
    return text;
  }

 private:
  ebank::platform::ScopedEnvironmentVariable english_{"EBANK_LOCALE", "en"};
};

TEST_F(VarFormatTest, DateTokens) {
  EXPECT_EQ(Format(kAfternoon, L"d dd ddd dddd"), L"5 05 Mon Monday");
  EXPECT_EQ(Format(kAfternoon, L"m mm mmm mmmm"), L"5 05 May May");
  EXPECT_EQ(Format(kAfternoon, L"y yy yyyy q"), L"126 08 2008 2");
  EXPECT_EQ(Format(kAfternoon, L"D/M/YYYY"), L"5/5/2008");
  EXPECT_EQ(Format(kAfternoon, L"ddddd|dddddd"), L"5/5/2008|Monday, May 5, 2008");
}

TEST_F(VarFormatTest, TimeTokensAndMinuteContext) {
  EXPECT_EQ(Format(kAfternoon, L"h hh n nn s ss"), L"14 14 30 30 7 07");
  EXPECT_EQ(Format(kAfternoon, L"hh:mm:ss"), L"14:30:07");
  EXPECT_EQ(Format(kAfternoon, L"mm:ss"), L"05:07") << "no hour before: the month";
  EXPECT_EQ(Format(kAfternoon, L"h AM/PM|h am/pm|h A/P|h a/p|hAMPM"), L"2 PM|2 pm|2 P|2 p|2PM");
  EXPECT_EQ(Format(kMonday5May2008, L"h:nn AM/PM"), L"12:00 AM");
  EXPECT_EQ(Format(kAfternoon, L"ttttt"), L"2:30:07 PM");
}

// m and mm are minutes only after an hour field, with separators between
// allowed; elsewhere they are the month, also in front of seconds. The first
// two results were recorded from the automation engine on Windows.
TEST_F(VarFormatTest, MinuteOrMonthByThePrecedingField) {
  constexpr double kNoonOfFirstJanuary1900 = 2.525;  // 12:36:00
  const struct {
    const wchar_t* format;
    const wchar_t* expected;
  } kCases[] = {
      {L"mm :mm:ss", L"01 :01:00"},
      {L"mm :ss:mm", L"01 :00:01"},
      {L"hh:mm:ss", L"12:36:00"},
      {L"h m", L"12 36"},
      {L"h:nn:mm", L"12:36:01"},
      {L"h:mmm", L"12:Jan"},
      {L"dd.mm.yyyy hh.mm", L"01.01.1900 12.36"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Format(kNoonOfFirstJanuary1900, c.format), c.expected) << c.format;
  }
}

// A format as long as a hostile caller likes is formatted in one pass: each
// piece (a field of its longest form, or with a separator) repeated to 64K
// characters gives its own result repeated.
TEST_F(VarFormatTest, LongFormatsArriveWithTheirRepeatedResults) {
  for (const wchar_t* piece :
       {L"dddddd", L"mmmm", L"ttttt", L"c", L"h:mm ", L"yyyy.", L"\"x\"", L"AMPM"}) {
    const std::wstring one = Format(kAfternoon, piece);
    std::wstring format, expected;
    while (format.size() < 65536) {
      format += piece;
      expected += one;
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Format(kAfternoon, format.c_str()), expected) << piece;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << piece;
  }
}

TEST_F(VarFormatTest, GeneralAndNamedFormats) {
  EXPECT_EQ(Format(kAfternoon, L"c"), L"5/5/2008 2:30:07 PM");
  EXPECT_EQ(Format(kMonday5May2008, L"c"), L"5/5/2008");
  EXPECT_EQ(Format(0.75, L""), L"6:00:00 PM");
  EXPECT_EQ(Format(kAfternoon, L"General Date"), L"5/5/2008 2:30:07 PM");
  EXPECT_EQ(Format(kAfternoon, L"long date"), L"Monday, May 5, 2008");
  EXPECT_EQ(Format(kAfternoon, L"Medium Date"), L"05-May-08");
  EXPECT_EQ(Format(kAfternoon, L"Short Date"), L"5/5/2008");
  EXPECT_EQ(Format(kAfternoon, L"Long Time"), L"2:30:07 PM");
  EXPECT_EQ(Format(kAfternoon, L"Medium Time"), L"02:30 PM");
  EXPECT_EQ(Format(kAfternoon, L"Short Time"), L"14:30");
}

TEST_F(VarFormatTest, LiteralsQuotesAndEscapes) {
  EXPECT_EQ(Format(kAfternoon, L"\"Day\" d \\d, dd-mm"), L"Day 5 d, 05-05");
  EXPECT_EQ(Format(kAfternoon, L"\"unterminated d"), L"unterminated d");
  EXPECT_EQ(Format(kAfternoon, L"d\\"), L"5");
  EXPECT_EQ(Format(kAfternoon, L"[x] %"), L"[x] %");
}

TEST_F(VarFormatTest, WeekParameters) {
  EXPECT_EQ(Format(kMonday5May2008, L"w"), L"2");
  EXPECT_EQ(Format(kMonday5May2008, L"w", VARFORMAT_FIRST_DAY_MONDAY), L"1");
  EXPECT_EQ(Format(kMonday5May2008, L"w", VARFORMAT_FIRST_DAY_SATURDAY), L"3");
  EXPECT_EQ(Format(kMonday5May2008, L"ww"), L"19");
  EXPECT_EQ(Format(kMonday5May2008, L"ww", 1, VARFORMAT_FIRST_WEEK_LARGER_HALF), L"19");
  EXPECT_EQ(Format(kMonday5May2008, L"ww", 1, VARFORMAT_FIRST_WEEK_HAS_SEVEN_DAYS), L"18");
  // Saturday 1 January 2005 belongs to the 53rd week of 2004 when weeks start
  // on Monday and the first week needs four days.
  const double january_first_2005 = 38353.0;
  EXPECT_EQ(Format(january_first_2005, L"ww", 2, 2), L"53");
  EXPECT_EQ(Format(january_first_2005, L"ww", 2, 1), L"1");
}

TEST_F(VarFormatTest, GermanNamesAndSeparators) {
  ebank::platform::ScopedEnvironmentVariable german("EBANK_LOCALE", "de_DE");
  EXPECT_EQ(Format(kAfternoon, L"dddd, d. mmmm yyyy"), L"Montag, 5. Mai 2008");
  EXPECT_EQ(Format(kAfternoon, L"dd/mm/yyyy hh:nn"), L"05.05.2008 14:30");
  EXPECT_EQ(Format(kAfternoon, L"c"), L"05.05.2008 14:30:07");
  EXPECT_EQ(Format(kMonday5May2008 - 61, L"mmmm mmm ddd"), L"M\u00e4rz Mrz Mi");
}

TEST_F(VarFormatTest, InvalidArguments) {
  VARIANT value;
  value.vt = VT_DATE;
  value.date = kAfternoon;
  BSTR out = nullptr;
  wchar_t format[] = L"d";
  EXPECT_EQ(VarFormat(&value, format, 8, 0, 0, &out), E_INVALIDARG);
  EXPECT_EQ(VarFormat(&value, format, -1, 0, 0, &out), E_INVALIDARG);
  EXPECT_EQ(VarFormat(&value, format, 0, 4, 0, &out), E_INVALIDARG);
  EXPECT_EQ(VarFormat(&value, format, 0, 0, 0, nullptr), E_INVALIDARG);
  EXPECT_EQ(VarFormat(nullptr, format, 0, 0, 0, &out), E_INVALIDARG);
  value.date = 1e10;
  EXPECT_EQ(VarFormat(&value, format, 0, 0, 0, &out), DISP_E_OVERFLOW);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(L"no date");
  EXPECT_EQ(VarFormat(&value, format, 0, 0, 0, &out), DISP_E_TYPEMISMATCH);
  SysFreeString(value.bstrVal);
  EXPECT_EQ(out, nullptr);
}

TEST_F(VarFormatTest, DateTextsBothWays) {
  DATE date;
  EXPECT_EQ(VarDateFromStr(L"5/5/2008 2:30:07 PM", 0x0409, 0, &date), S_OK);
  EXPECT_EQ(date, kAfternoon);
  EXPECT_EQ(VarDateFromStr(L" 05.05.2008 14:30:07 ", 7, 0, &date), S_OK);
  EXPECT_EQ(date, kAfternoon);
  EXPECT_EQ(VarDateFromStr(L"2008-05-05", 7, 0, &date), S_OK);
  EXPECT_EQ(date, kMonday5May2008);
  EXPECT_EQ(VarDateFromStr(L"18:00", 9, 0, &date), S_OK);
  EXPECT_EQ(date, 0.75);
  for (const wchar_t* bad : {L"", L"abc", L"31/31/2008", L"5/5/2008 25:00", L"5/5/2008 x",
                             L"13:00 PM", L"1/", L"99999999999/1/1"}) {
    EXPECT_EQ(VarDateFromStr(bad, 9, 0, &date), DISP_E_TYPEMISMATCH) << bad;
  }
  // 64K characters are read in one pass.
  const std::wstring blanks(65536, L' ');
  EXPECT_EQ(VarDateFromStr((blanks + L"5/5/2008 2:30:07 PM" + blanks).c_str(), 9, 0, &date), S_OK);
  EXPECT_EQ(date, kAfternoon);
  EXPECT_EQ(VarDateFromStr(std::wstring(65536, L'5').c_str(), 9, 0, &date), DISP_E_TYPEMISMATCH);
  BSTR text = nullptr;
  ASSERT_EQ(VarBstrFromDate(kAfternoon, 7, 0, &text), S_OK);
  EXPECT_STREQ(text, L"05.05.2008 14:30:07");
  SysFreeString(text);
}

}  // namespace
