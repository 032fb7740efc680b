// Conversion between the automation DATE (days since 30 December 1899, the
// fraction the time of day) and the broken-down SYSTEMTIME.
//
// Before 30 December 1899 the whole part counts days back while the fraction
// still adds time forward: -1.25 is 29 December 1899, 06:00.
#ifndef EBANK_PLATFORM_OLEAUT_VARIANT_TIME_H_
#define EBANK_PLATFORM_OLEAUT_VARIANT_TIME_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// FALSE (and `out` untouched) for a null argument or an impossible time:
// years outside 100..9999, month or day outside the calendar, hour above 23,
// minute or second above 59. Milliseconds are ignored.
EBANK_EXPORT INT SystemTimeToVariantTime(const SYSTEMTIME* time, DOUBLE* out);
// Rounds to the nearest second; FALSE outside 1 January 100 to 31 December 9999.
EBANK_EXPORT INT VariantTimeToSystemTime(DOUBLE value, SYSTEMTIME* out);

}  // extern "C"

namespace ebank::platform {

// Days from 30 December 1899 to the given day of the proleptic Gregorian calendar.
EBANK_EXPORT int DaysFromCivil(int year, int month, int day);
EBANK_EXPORT bool IsLeapYear(int year);
EBANK_EXPORT int DaysInMonth(int year, int month);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_VARIANT_TIME_H_
