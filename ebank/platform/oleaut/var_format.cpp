#include "ebank/platform/oleaut/var_format.h"

#include <algorithm>
#include <cwctype>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/internal/bstr_result.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/variant.h"
#include "ebank/platform/oleaut/variant_time.h"

namespace ebank::platform {
namespace {

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoringCase(std::wstring_view text, std::size_t at, std::wstring_view prefix) {
  return text.size() - at >= prefix.size() &&
         EqualsIgnoringCase(text.substr(at, prefix.size()), prefix);
}

// The length of an AM/PM marker at `at` (AM/PM, A/P, AMPM), or 0.
std::size_t MeridiemLength(std::wstring_view format, std::size_t at) {
  // Every marker starts with an A; most characters of a format are none.
  if (std::towlower(format[at]) != L'a') return 0;
  for (std::wstring_view marker : {L"am/pm", L"ampm", L"a/p"}) {
    if (StartsWithIgnoringCase(format, at, marker)) return marker.size();
  }
  return 0;
}

// Whether the format shows hours on the 12-hour clock (quoted text aside).
bool UsesTwelveHours(std::wstring_view format) {
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == L'"') {
      i = format.find(L'"', i + 1);
      if (i == std::wstring_view::npos) return false;
    } else if (format[i] == L'\\') {
      ++i;
    } else if (MeridiemLength(format, i) != 0) {
      return true;
    }
  }
  return false;
}

// No field takes more than six letters (dddddd), so runs are counted only
// that far: a long run is then consumed in fields without being rescanned.
constexpr std::size_t kLongestField = 6;

// The number of equal letters (ignoring case) at `at`, at most kLongestField.
std::size_t RunLength(std::wstring_view format, std::size_t at) {
  const wint_t letter = std::towlower(format[at]);
  const std::size_t limit = std::min(format.size(), at + kLongestField);
  std::size_t end = at;
  while (end < limit && std::towlower(format[end]) == letter) ++end;
  return end - at;
}

void AppendNumber(int value, std::size_t min_width, std::wstring* out) {
  const std::wstring digits = std::to_wstring(value);
  if (digits.size() < min_width) out->append(min_width - digits.size(), L'0');
  *out += digits;
}

class DateFormatter {
 public:
  DateFormatter(double value, const SYSTEMTIME& time, const LocaleInfo& locale, int first_day,
                int first_week)
      : value_(value),
        time_(time),
        locale_(locale),
        first_day_(first_day == 0 ? 1 : first_day),
        first_week_(first_week == 0 ? 1 : first_week) {}

  void Format(std::wstring_view format, std::wstring* out) {
    const bool twelve_hours = UsesTwelveHours(format);
    bool after_hour = false;
    for (std::size_t i = 0; i < format.size();) {
      const wchar_t c = format[i];
      const std::size_t meridiem = MeridiemLength(format, i);
      if (meridiem != 0) {
        AppendMeridiem(format.substr(i, meridiem), out);
        i += meridiem;
        continue;
      }
      if (!std::iswalpha(c)) {
        i = FormatLiteral(format, i, out);
        continue;
      }
      const std::size_t run = RunLength(format, i);
      const std::size_t used = FormatField(format, i, run, twelve_hours, after_hour, out);
      const wchar_t letter = static_cast<wchar_t>(std::towlower(c));
      after_hour = letter == L'h';
      i += used;
    }
  }

 private:
  std::size_t FormatLiteral(std::wstring_view format, std::size_t i, std::wstring* out) {
    const wchar_t c = format[i];
    if (c == L'"') {
      const std::size_t end = format.find(L'"', i + 1);
      const std::size_t stop = end == std::wstring_view::npos ? format.size() : end;
      out->append(format.substr(i + 1, stop - i - 1));
      return stop == format.size() ? stop : stop + 1;
    }
    if (c == L'\\') {
      if (i + 1 < format.size()) *out += format[i + 1];
      return i + 2;
    }
    if (c == L'/') {
      *out += locale_.date_separator;
    } else if (c == L':') {
      *out += locale_.time_separator;
    } else {
      *out += c;
    }
    return i + 1;
  }

  // Formats the field of `run` equal letters at `i`; returns the letters used.
  std::size_t FormatField(std::wstring_view format, std::size_t i, std::size_t run,
                          bool twelve_hours, bool after_hour, std::wstring* out) {
    switch (std::towlower(format[i])) {
      case L'd':
        return FormatDay(run, out);
      case L'm':
        // Minutes only right after an hour (separators between allowed);
        // anywhere else, even before seconds, the month.
        if (run <= 2 && after_hour) {
          AppendNumber(time_.wMinute, run, out);
          return run;
        }
        return FormatMonth(run, out);
      case L'y':
        return FormatYear(run, out);
      case L'h': {
        int hour = time_.wHour;
        if (twelve_hours) hour = hour % 12 == 0 ? 12 : hour % 12;
        AppendNumber(hour, run >= 2 ? 2 : 1, out);
        return run >= 2 ? 2 : 1;
      }
      case L'n':
        AppendNumber(time_.wMinute, run >= 2 ? 2 : 1, out);
        return run >= 2 ? 2 : 1;
      case L's':
        AppendNumber(time_.wSecond, run >= 2 ? 2 : 1, out);
        return run >= 2 ? 2 : 1;
      case L'w':
        AppendNumber(run >= 2 ? WeekOfYear(time_.wYear, DayOfYear(), time_.wDayOfWeek)
                              : DayInWeek(time_.wDayOfWeek) + 1,
                     1, out);
        return run >= 2 ? 2 : 1;
      case L'q':
        AppendNumber((time_.wMonth - 1) / 3 + 1, 1, out);
        return 1;
      case L'c':
        FormatGeneral(out);
        return 1;
      case L't':
        if (run >= 5) {
          AppendLocaleFormat(locale_.long_time, out);
          return 5;
        }
        break;
    }
    *out += format[i];
    return 1;
  }

  std::size_t FormatDay(std::size_t run, std::wstring* out) {
    switch (run) {
      case 1:
      case 2:
        AppendNumber(time_.wDay, run, out);
        return run;
      case 3:
        *out += locale_.day_abbreviations[time_.wDayOfWeek];
        return 3;
      case 4:
        *out += locale_.day_names[time_.wDayOfWeek];
        return 4;
      case 5:
        AppendLocaleFormat(locale_.short_date, out);
        return 5;
      default:
        AppendLocaleFormat(locale_.long_date, out);
        return 6;
    }
  }

  std::size_t FormatMonth(std::size_t run, std::wstring* out) {
    switch (run) {
      case 1:
      case 2:
        AppendNumber(time_.wMonth, run, out);
        return run;
      case 3:
        *out += locale_.month_abbreviations[time_.wMonth - 1];
        return 3;
      default:
        *out += locale_.month_names[time_.wMonth - 1];
        return 4;
    }
  }

  std::size_t FormatYear(std::size_t run, std::wstring* out) {
    if (run == 1) {
      AppendNumber(DayOfYear(), 1, out);
      return 1;
    }
    if (run < 4) {
      AppendNumber(time_.wYear % 100, 2, out);
      return 2;
    }
    AppendNumber(time_.wYear, 1, out);
    return 4;
  }

  // One of the locale's date or time formats (for c, ddddd, dddddd, ttttt).
  // Formatted once per value, so a format repeating these fields costs no
  // more than copying their text.
  void AppendLocaleFormat(const wchar_t* format, std::wstring* out) {
    for (const auto& [key, text] : locale_formats_) {
      if (key == format) {
        *out += text;
        return;
      }
    }
    std::wstring text;
    Format(format, &text);
    *out += text;
    locale_formats_.emplace_back(format, std::move(text));
  }

  // The date without a time of midnight; the time alone for day 0.
  void FormatGeneral(std::wstring* out) {
    const bool has_date = static_cast<long long>(value_) != 0;
    const bool has_time = time_.wHour != 0 || time_.wMinute != 0 || time_.wSecond != 0;
    if (has_date) AppendLocaleFormat(locale_.short_date, out);
    if (has_date && has_time) *out += L' ';
    if (has_time || !has_date) AppendLocaleFormat(locale_.long_time, out);
  }

  void AppendMeridiem(std::wstring_view marker, std::wstring* out) {
    const bool pm = time_.wHour >= 12;
    if (marker.size() == 4) {  // AMPM: the locale's designators
      *out += pm ? locale_.pm_designator : locale_.am_designator;
      return;
    }
    // AM/PM and A/P: the letters of the chosen half, in the case written.
    const std::size_t half = pm ? marker.find(L'/') + 1 : 0;
    const std::size_t end = pm ? marker.size() : marker.find(L'/');
    out->append(marker.substr(half, end - half));
  }

  int DayOfYear() const {
    return DaysFromCivil(time_.wYear, time_.wMonth, time_.wDay) - DaysFromCivil(time_.wYear, 1, 1) +
           1;
  }

  // 0 for the first day of the week.
  int DayInWeek(int day_of_week) const { return (day_of_week - (first_day_ - 1) + 7) % 7; }

  int WeekOfYear(int year, int day_of_year, int day_of_week) const {
    const int january_first = ((day_of_week - (day_of_year - 1)) % 7 + 7) % 7;
    const int offset = DayInWeek(january_first);
    int week = (day_of_year - 1 + offset) / 7 + 1;
    if ((first_week_ == 2 && offset > 3) || (first_week_ == 3 && offset != 0)) --week;
    if (week > 0) return week;
    // The first days belong to the last week of the year before.
    const int previous_length = IsLeapYear(year - 1) ? 366 : 365;
    return WeekOfYear(year - 1, previous_length, (january_first + 6) % 7);
  }

  double value_;
  const SYSTEMTIME& time_;
  const LocaleInfo& locale_;
  int first_day_;
  int first_week_;
  std::vector<std::pair<const wchar_t*, std::wstring>> locale_formats_;
};

const wchar_t* NamedFormat(std::wstring_view format, const LocaleInfo& locale) {
  struct Named {
    const wchar_t* name;
    const wchar_t* LocaleInfo::*format;
  };
  static const Named kNamed[] = {
      {L"Long Date", &LocaleInfo::long_date},     {L"Medium Date", &LocaleInfo::medium_date},
      {L"Short Date", &LocaleInfo::short_date},   {L"Long Time", &LocaleInfo::long_time},
      {L"Medium Time", &LocaleInfo::medium_time}, {L"Short Time", &LocaleInfo::short_time},
  };
  if (format.empty() || EqualsIgnoringCase(format, L"General Date")) return L"c";
  for (const Named& named : kNamed) {
    if (EqualsIgnoringCase(format, named.name)) return locale.*named.format;
  }
  return nullptr;
}

}  // namespace

HRESULT FormatDate(DATE value, const OLECHAR* format, int first_day, int first_week, LCID lcid,
                   BSTR* out) {
  if (out == nullptr || first_day < 0 || first_day > 7 || first_week < 0 || first_week > 3) {
    return E_INVALIDARG;
  }
  SYSTEMTIME time;
  if (!VariantTimeToSystemTime(value, &time)) return DISP_E_OVERFLOW;
  const LocaleInfo& locale = GetLocaleInfoFor(lcid);
  std::wstring_view text = format == nullptr ? L"" : format;
  if (const wchar_t* named = NamedFormat(text, locale)) text = named;
  std::wstring result;
  DateFormatter(value, time, locale, first_day, first_week).Format(text, &result);
  return ReturnBstr(result, out);
}

}  // namespace ebank::platform

extern "C" HRESULT VarFormat(VARIANT* value, OLECHAR* format, int first_day, int first_week,
                             ULONG flags, BSTR* out) {
  (void)flags;  // no user overrides exist
  if (value == nullptr || out == nullptr) return E_INVALIDARG;
  VARIANT date;
  VariantInit(&date);
  const HRESULT hr = VariantChangeTypeEx(&date, value, LOCALE_USER_DEFAULT, 0, VT_DATE);
  if (FAILED(hr)) return hr;
  return ebank::platform::FormatDate(date.date, format, first_day, first_week, LOCALE_USER_DEFAULT,
                                     out);
}
