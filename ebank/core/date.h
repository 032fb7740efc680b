// ddCOM::Date: the automation DATE (days since 30 December 1899, the fraction
// the local time of day) with calendar access, day arithmetic, parsing of
// fixed-layout digit texts and formatting through the automation engine.
#ifndef EBANK_CORE_DATE_H_
#define EBANK_CORE_DATE_H_

#include "ebank/core/bstring.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ddCOM {

class EBANK_EXPORT Date {
 public:
  enum RelativeDate { Zero = 0, Now = 1 };

  Date() = default;
  Date(double value) : date_(value) {}
  Date(const Date& other) = default;
  // Zero is 0.0, Now the current local date and time; other numbers are 0.0.
  Date(RelativeDate relative);
  Date& operator=(double value);
  Date& operator=(const Date& other) = default;
  // Impossible times leave the value unchanged.
  Date& operator=(SYSTEMTIME& time);
  Date& operator=(const SYSTEMTIME* time);

  // Sets the date at 00:00; an impossible date leaves the value unchanged.
  void SetDate(int year, int month, int day);
  // The calendar parts; all 0 for a value outside the valid date range.
  SYSTEMTIME GetSYSTEMTIME() const;
  int GetDay() const { return GetSYSTEMTIME().wDay; }
  int GetMonth() const { return GetSYSTEMTIME().wMonth; }
  int GetYear() const { return GetSYSTEMTIME().wYear; }
  int GetHour() const { return GetSYSTEMTIME().wHour; }
  int GetMinute() const { return GetSYSTEMTIME().wMinute; }
  int GetSecond() const { return GetSYSTEMTIME().wSecond; }

  // Day steps on the raw value (before 1900 that is not a calendar step).
  Date& operator++() { return *this += 1; }
  Date operator++(int);
  Date& operator--() { return *this -= 1; }
  Date operator--(int);
  Date& operator+=(int days);
  Date& operator-=(int days);

  operator double() const { return date_; }
  double ByVal() const { return date_; }
  double Copy() const { return date_; }
  double Detach() const { return date_; }
  double* ByRef() { return &date_; }
  double* RetVal() { return &date_; }
  void Attach(double value, bool add_reference = false);
  void Release() {}

  // Reads `text` field by field under `format` (letters Y, M, D, H, S, case
  // insensitive; other characters skip one text character). A null text
  // changes nothing; a non-digit under a letter, or a format of 50 characters
  // or more, throws ddCOM::Exception(E_INVALIDARG).
  Date& ParseFormat(const wchar_t* text, const wchar_t* const format);
  Date& ParseFormatYYYYMMDD(wchar_t* text);
  Date& ParseFormatYYYYMMDDHHMMSS(wchar_t* text);

  // The automation format engine; failures throw ddCOM::ErrorInfo.
  BString<wchar_t> Format(const BString<wchar_t>& format, int first_day = 0, int first_week = 0,
                          ULONG flags = 0) const;

 private:
  void Assign(const SYSTEMTIME& time);

  double date_ = 0.0;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_DATE_H_
