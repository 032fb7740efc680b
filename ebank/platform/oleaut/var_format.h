// The automation format engine for date and time values.
//
// Formats use the automation format language: d dd ddd dddd ddddd dddddd,
// w ww, m mm mmm mmmm, q, y yy yyyy, h hh, n nn, s ss, ttttt, c, AM/PM am/pm
// A/P a/p AMPM, the separators / and :, "quoted text", \x escapes, and the
// named formats "General Date", "Long Date", "Medium Date", "Short Date",
// "Long Time", "Medium Time" and "Short Time". Other characters are literal.
// m and mm are the minute right after an hour field (h:mm), else the month.
#ifndef EBANK_PLATFORM_OLEAUT_VAR_FORMAT_H_
#define EBANK_PLATFORM_OLEAUT_VAR_FORMAT_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

// First day of the week: 0 the system's (Sunday), 1 Sunday ... 7 Saturday.
inline constexpr int VARFORMAT_FIRST_DAY_SYSTEMDEFAULT = 0;
inline constexpr int VARFORMAT_FIRST_DAY_SUNDAY = 1;
inline constexpr int VARFORMAT_FIRST_DAY_MONDAY = 2;
inline constexpr int VARFORMAT_FIRST_DAY_SATURDAY = 7;
// First week of the year: 0 the system's (the week of 1 January), 1 the week
// of 1 January, 2 the first week with four days, 3 the first full week.
inline constexpr int VARFORMAT_FIRST_WEEK_SYSTEMDEFAULT = 0;
inline constexpr int VARFORMAT_FIRST_WEEK_CONTAINS_JANUARY_FIRST = 1;
inline constexpr int VARFORMAT_FIRST_WEEK_LARGER_HALF = 2;
inline constexpr int VARFORMAT_FIRST_WEEK_HAS_SEVEN_DAYS = 3;

extern "C" {

// Formats a date value (other types are first converted to VT_DATE) under the
// user default locale. An empty or null format gives the general date form.
// E_INVALIDARG for null arguments or week parameters out of range,
// DISP_E_TYPEMISMATCH for a value that is no date, DISP_E_OVERFLOW for a date
// outside the valid range.
EBANK_EXPORT HRESULT VarFormat(VARIANT* value, OLECHAR* format, int first_day, int first_week,
                               ULONG flags, BSTR* out);

}  // extern "C"

namespace ebank::platform {

// The engine behind VarFormat, for callers that name the locale.
EBANK_EXPORT HRESULT FormatDate(DATE value, const OLECHAR* format, int first_day, int first_week,
                                LCID lcid, BSTR* out);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_VAR_FORMAT_H_
