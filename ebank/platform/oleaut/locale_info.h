// Locale ids and the number and calendar conventions of the two languages the
// automation conversions speak: English and German.
//
// Language 0 (and the user and system defaults) is the host default: English
// unless the environment variable EBANK_LOCALE starts with "de".
#ifndef EBANK_PLATFORM_OLEAUT_LOCALE_INFO_H_
#define EBANK_PLATFORM_OLEAUT_LOCALE_INFO_H_

#include "ebank/platform/export.h"
#include "ebank/platform/language_id.h"
#include "ebank/platform/types.h"

inline constexpr LCID LOCALE_NEUTRAL = 0;
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
// Conversion flag: use the locale's defaults, not the user's overrides.
inline constexpr ULONG LOCALE_NOUSEROVERRIDE = 0x80000000;

namespace ebank::platform {

// The conventions of one language. Names are indexed from 0 (January, Sunday).
struct LocaleInfo {
  bool german;
  wchar_t decimal_separator;
  wchar_t thousands_separator;
  wchar_t date_separator;
  wchar_t time_separator;
  const wchar_t* month_names[12];
  const wchar_t* month_abbreviations[12];
  const wchar_t* day_names[7];
  const wchar_t* day_abbreviations[7];
  const wchar_t* am_designator;
  const wchar_t* pm_designator;
  // Named formats in the automation format language.
  const wchar_t* short_date;
  const wchar_t* long_date;
  const wchar_t* medium_date;
  const wchar_t* long_time;
  const wchar_t* medium_time;
  const wchar_t* short_time;
  // Order of day, month and year in a numeric date text: true for day first.
  bool day_before_month;
};

// The conventions for `lcid`; unknown languages get the English ones.
EBANK_EXPORT const LocaleInfo& GetLocaleInfoFor(LCID lcid);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_LOCALE_INFO_H_
