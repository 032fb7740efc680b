#include "ebank/platform/oleaut/variant_time.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

SYSTEMTIME Make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  return time;
}

int MonthLength(int year, int month) {
  if (month == 2) return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
  return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

// Walks the calendar day by day from 1 January 100 (day -657434) and checks
// both directions for every day up to 31 December 9999.
TEST(VariantTimeTest, EveryDayFromYear100To9999) {
  long long day = -657434;
  int weekday = 5;  // 1 January 100 was a Friday
  for (int year = 100; year <= 9999; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int d = 1; d <= MonthLength(year, month); ++d, ++day, weekday = (weekday + 1) % 7) {
        const SYSTEMTIME time = Make(year, month, d);
        double value = -1e9;
        ASSERT_TRUE(SystemTimeToVariantTime(&time, &value)) << year << "-" << month << "-" << d;
        ASSERT_EQ(value, static_cast<double>(day)) << year << "-" << month << "-" << d;
        SYSTEMTIME back;
        ASSERT_TRUE(VariantTimeToSystemTime(value, &back));
        ASSERT_EQ(back.wYear, year);
        ASSERT_EQ(back.wMonth, month);
        ASSERT_EQ(back.wDay, d);
        ASSERT_EQ(back.wDayOfWeek, weekday) << year << "-" << month << "-" << d;
      }
    }
  }
  EXPECT_EQ(day, 2958466);  // one past 31 December 9999
}

TEST(VariantTimeTest, EverySecondOfADayOnBothSidesOfTheEpoch) {
  for (int second = 0; second < 86400; ++second) {
    const int h = second / 3600, m = second / 60 % 60, s = second % 60;
    for (auto [year, month, day, whole] :
         {std::tuple{2008, 5, 5, 39573}, std::tuple{1899, 12, 29, -1},
          std::tuple{1800, 1, 1, -36522}}) {
      const SYSTEMTIME time = Make(year, month, day, h, m, s);
      double value;
      ASSERT_TRUE(SystemTimeToVariantTime(&time, &value));
      // Before the epoch the fraction is a negative offset from the day.
      const double expected = whole < 0 ? whole - second / 86400.0 : whole + second / 86400.0;
      ASSERT_NEAR(value, expected, 1e-9);
      SYSTEMTIME back;
      ASSERT_TRUE(VariantTimeToSystemTime(value, &back));
      ASSERT_EQ(back.wDay, day);
      ASSERT_EQ(back.wHour * 3600 + back.wMinute * 60 + back.wSecond, second);
    }
  }
}

TEST(VariantTimeTest, NegativeFractionsAndRounding) {
  SYSTEMTIME time;
  ASSERT_TRUE(VariantTimeToSystemTime(-1.25, &time));
  EXPECT_EQ(time.wDay, 29);
  EXPECT_EQ(time.wHour, 6);
  ASSERT_TRUE(VariantTimeToSystemTime(-0.5, &time));  // day 0 has no sign
  EXPECT_EQ(time.wDay, 30);
  EXPECT_EQ(time.wHour, 12);
  // 30 December 1899, 23:59:59.6 rounds to the next midnight.
  ASSERT_TRUE(VariantTimeToSystemTime(1.0 - 0.4 / 86400, &time));
  EXPECT_EQ(time.wDay, 31);
  EXPECT_EQ(time.wMonth, 12);
  EXPECT_EQ(time.wHour, 0);
}

TEST(VariantTimeTest, ImpossibleValuesAreRefused) {
  double value = 7;
  for (const SYSTEMTIME& bad :
       {Make(99, 12, 31), Make(10000, 1, 1), Make(2008, 0, 1), Make(2008, 13, 1), Make(2008, 4, 31),
        Make(1900, 2, 29), Make(2008, 5, 0), Make(2008, 5, 5, 24), Make(2008, 5, 5, 1, 60),
        Make(2008, 5, 5, 1, 1, 60)}) {
    EXPECT_FALSE(SystemTimeToVariantTime(&bad, &value));
  }
  EXPECT_EQ(value, 7);
  EXPECT_FALSE(SystemTimeToVariantTime(nullptr, &value));
  SYSTEMTIME time;
  EXPECT_FALSE(VariantTimeToSystemTime(-657435.0, &time));
  EXPECT_FALSE(VariantTimeToSystemTime(2958466.0, &time));
  EXPECT_FALSE(VariantTimeToSystemTime(2958465.99999999, &time));  // rounds into year 10000
  EXPECT_FALSE(VariantTimeToSystemTime(std::nan(""), &time));
  EXPECT_FALSE(VariantTimeToSystemTime(INFINITY, &time));
}

}  // namespace
