#include "ebank/core/date.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ebank/core/error_info_exception.h"
#include "ebank/core/exception.h"
#include "ebank/core/is_date.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/system_time.h"
#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace ddCOM {
namespace {

constexpr double k5May2008 = 39573.0;

std::wstring Text(const BString<wchar_t>& text) {
  return std::wstring(text.ByVal(), text.Length());
}

HRESULT ParseError(const wchar_t* text, const wchar_t* format) {
  try {
    Date().ParseFormat(text, format);
  } catch (const Exception& e) {
    return e.HResult();
  }
  return S_OK;
}

TEST(DateTest, ParseFormatReadsFixedLayouts) {
  wchar_t day[] = L"20080505";
  wchar_t moment[] = L"20080505143000";
  EXPECT_EQ(static_cast<double>(Date().ParseFormatYYYYMMDD(day)), k5May2008);
  Date time;
  time.ParseFormatYYYYMMDDHHMMSS(moment);
  EXPECT_NEAR(static_cast<double>(time), k5May2008 + 14.5 / 24, 1e-9);
  EXPECT_EQ(time.GetHour(), 14);
  EXPECT_EQ(time.GetMinute(), 30);
  EXPECT_EQ(time.GetSecond(), 0);
  EXPECT_EQ(static_cast<double>(Date().ParseFormatYYYYMMDDHHMMSS(day)), k5May2008);
  EXPECT_EQ(static_cast<double>(Date().ParseFormat(L"05.05.2008", L"DD.MM.YYYY")), k5May2008);
  EXPECT_EQ(static_cast<double>(Date().ParseFormat(L"2008-05-05", L"yyyy-mm-dd")), k5May2008);
  EXPECT_EQ(static_cast<double>(Date().ParseFormat(L"2008-05-05 trailing", L"yyyy-mm-dd")),
            k5May2008);
  Date both;
  both.ParseFormat(L"05.05.2008 07:45:10", L"DD.MM.YYYY HH:MM:SS");
  EXPECT_EQ(both.GetDay(), 5);
  EXPECT_EQ(both.GetMinute(), 45);
  EXPECT_EQ(both.GetSecond(), 10);
}

TEST(DateTest, ParseFormatKeepsValueWhenNothingValidIsRead) {
  Date value(k5May2008);
  value.ParseFormat(nullptr, L"YYYYMMDD");
  EXPECT_EQ(static_cast<double>(value), k5May2008);
  // Month letters before any date letter are dropped: month 0 is no date.
  value.ParseFormat(L"05/06/2008", L"MM/DD/YYYY");
  EXPECT_EQ(static_cast<double>(value), k5May2008);
  value.ParseFormat(L"080505", L"YYMMDD");  // year 8 is outside the calendar
  EXPECT_EQ(static_cast<double>(value), k5May2008);
  value.ParseFormat(L"2008", L"YYYYMMDD");  // month and day stay 0
  EXPECT_EQ(static_cast<double>(value), k5May2008);
}

TEST(DateTest, ParseFormatRejectsNonDigitsAndLongFormats) {
  EXPECT_EQ(ParseError(L"2008O505", L"YYYYMMDD"), E_INVALIDARG);
  EXPECT_EQ(ParseError(L"2008-5-05", L"YYYY-MM-DD"), E_INVALIDARG);
  EXPECT_EQ(ParseError(L" 2008", L"YYYY"), E_INVALIDARG);
  EXPECT_EQ(ParseError(L"20080505", nullptr), E_INVALIDARG);
  const std::wstring fits = L"YYYYMMDD" + std::wstring(41, L'-');
  const std::wstring too_long = fits + L"-";
  EXPECT_EQ(ParseError(L"20080505", fits.c_str()), S_OK);
  EXPECT_EQ(ParseError(L"20080505", too_long.c_str()), E_INVALIDARG);
  EXPECT_EQ(ParseError(L"20080505", std::wstring(5000, L'Y').c_str()), E_INVALIDARG);
}

TEST(DateTest, DayArithmeticAndAccessors) {
  Date date(k5May2008);
  date += 30;
  EXPECT_EQ(date.GetMonth(), 6);
  EXPECT_EQ(date.GetDay(), 4);
  const Date old = date++;
  EXPECT_EQ(static_cast<double>(old), k5May2008 + 30);
  EXPECT_EQ(static_cast<double>(date), k5May2008 + 31);
  EXPECT_EQ(static_cast<double>(--date), k5May2008 + 30);
  EXPECT_EQ(static_cast<double>(date--), k5May2008 + 30);
  date -= 29;
  EXPECT_EQ(static_cast<double>(date), k5May2008);
  date.SetDate(2000, 2, 29);
  EXPECT_EQ(date.GetYear(), 2000);
  date.SetDate(1900, 2, 29);  // no such day: unchanged
  EXPECT_EQ(date.GetYear(), 2000);
  Date outside(-1e9);
  EXPECT_EQ(outside.GetYear(), 0);
  date.Attach(1.5, true);
  EXPECT_EQ(*date.RetVal(), 1.5);
  EXPECT_EQ(IsDATE(date.Detach()), 1.5);
}

TEST(DateTest, RelativeDates) {
  EXPECT_EQ(static_cast<double>(Date(Date::Zero)), 0.0);
  EXPECT_EQ(static_cast<double>(Date(static_cast<Date::RelativeDate>(2))), 0.0);
  SYSTEMTIME before;
  GetLocalTime(&before);
  const Date now(Date::Now);
  Date reference;
  reference = before;
  EXPECT_NEAR(static_cast<double>(now), static_cast<double>(reference), 2.0 / 86400);
}

TEST(DateTest, FormatUsesTheAutomationEngine) {
  ebank::platform::ScopedEnvironmentVariable english("EBANK_LOCALE", "en");
  const Date date(k5May2008 + 14.5 / 24);
  EXPECT_EQ(Text(date.Format(BString<wchar_t>(L"yyyy-mm-dd hh:nn"))), L"2008-05-05 14:30");
  EXPECT_EQ(Text(date.Format(BString<wchar_t>())), L"5/5/2008 2:30:00 PM");
  try {
    date.Format(BString<wchar_t>(L"d"), 9);
    ADD_FAILURE();
  } catch (const ErrorInfo& e) {
    EXPECT_EQ(e.HResult(), E_INVALIDARG);
  }
}

}  // namespace
}  // namespace ddCOM
