#include "ebank/platform/oleaut/variant_time.h"

#include <cmath>

#include "ebank/platform/oleaut/internal/exact_number.h"

namespace ebank::platform {
namespace {

// 30 December 1899 counted in days from 1 March of year 0 (the era origin).
constexpr int kEpochFromEraStart = 693899;

struct CivilDay {
  int year;
  int month;
  int day;
};

// Inverse of DaysFromCivil, in 400-year eras that start on 1 March.
CivilDay CivilFromDays(int days) {
  const int z = days + kEpochFromEraStart;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int day_of_era = z - era * 146097;
  const int year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int month_index = (5 * day_of_year + 2) / 153;  // 0 is March
  const int day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const int month = month_index < 10 ? month_index + 3 : month_index - 9;
  return {year_of_era + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int DaysFromCivil(int year, int month, int day) {
  const int y = month <= 2 ? year - 1 : year;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int year_of_era = y - era * 400;
  const int day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - kEpochFromEraStart;
}

}  // namespace ebank::platform

extern "C" INT SystemTimeToVariantTime(const SYSTEMTIME* time, DOUBLE* out) {
  using ebank::platform::DaysInMonth;
  if (time == nullptr || out == nullptr) return FALSE;
  if (time->wYear < 100 || time->wYear > 9999 || time->wMonth < 1 || time->wMonth > 12 ||
      time->wDay < 1 || time->wDay > DaysInMonth(time->wYear, time->wMonth) || time->wHour > 23 ||
      time->wMinute > 59 || time->wSecond > 59) {
    return FALSE;
  }
  const int days = ebank::platform::DaysFromCivil(time->wYear, time->wMonth, time->wDay);
  const int seconds = time->wHour * 3600 + time->wMinute * 60 + time->wSecond;
  const double fraction = static_cast<double>(seconds) / 86400.0;
  *out = days < 0 ? days - fraction : days + fraction;
  return TRUE;
}

extern "C" INT VariantTimeToSystemTime(DOUBLE value, SYSTEMTIME* out) {
  if (out == nullptr || !ebank::platform::IsValidDate(value)) return FALSE;
  const double whole = std::trunc(value);
  int days = static_cast<int>(whole);
  long long seconds = std::llround(std::fabs(value - whole) * 86400.0);
  if (seconds >= 86400) {  // rounded up to midnight: the next calendar day
    seconds -= 86400;
    ++days;
  }
  const auto civil = ebank::platform::CivilFromDays(days);
  if (civil.year > 9999) return FALSE;
  out->wYear = static_cast<WORD>(civil.year);
  out->wMonth = static_cast<WORD>(civil.month);
  out->wDay = static_cast<WORD>(civil.day);
  out->wDayOfWeek = static_cast<WORD>(((days % 7) + 13) % 7);  // day 0 was a Saturday
  out->wHour = static_cast<WORD>(seconds / 3600);
  out->wMinute = static_cast<WORD>(seconds / 60 % 60);
  out->wSecond = static_cast<WORD>(seconds % 60);
  out->wMilliseconds = 0;
  return TRUE;
}
