// Text conversions of the automation DATE type.
//
// Out: the general date form of the locale (the date, then the time unless it
// is midnight; the time alone on day 0). In: numeric dates in the locale's
// order (month/day/year in English, day.month.year in German) or year-first
// with four digits, and an optional time h:mm[:ss] with AM or PM.
#ifndef EBANK_PLATFORM_OLEAUT_VAR_DATE_H_
#define EBANK_PLATFORM_OLEAUT_VAR_DATE_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

EBANK_EXPORT HRESULT VarBstrFromDate(DATE value, LCID lcid, ULONG flags, BSTR* out);
// DISP_E_TYPEMISMATCH for a text that is no valid date or time. Two-digit
// years below 30 are in the 2000s, the others in the 1900s; a date without a
// year is in the current year.
EBANK_EXPORT HRESULT VarDateFromStr(const OLECHAR* text, LCID lcid, ULONG flags, DATE* out);

}  // extern "C"

#endif  // EBANK_PLATFORM_OLEAUT_VAR_DATE_H_
