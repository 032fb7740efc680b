#include "ebank/core/date.h"

#include <cwctype>

#include "ebank/core/exception.h"
#include "ebank/core/raise.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/system_time.h"
#include "ebank/platform/oleaut/var_format.h"
#include "ebank/platform/oleaut/variant.h"
#include "ebank/platform/oleaut/variant_time.h"

namespace ddCOM {
namespace {

constexpr int kFormatBufferSize = 50;  // formats of at most 49 characters

// Which field an M letter fills: undecided until a date or time letter is seen.
enum class MonthContext { kUndecided, kDate, kTime };

void Accumulate(WORD* field, wchar_t digit) {
  *field = static_cast<WORD>(*field * 10 + (digit - L'0'));
}

}  // namespace

Date::Date(RelativeDate relative) {
  if (relative != Now) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  Assign(now);
}

Date& Date::operator=(double value) {
  date_ = value;
  return *this;
}

Date& Date::operator=(SYSTEMTIME& time) {
  Assign(time);
  return *this;
}

Date& Date::operator=(const SYSTEMTIME* time) {
  if (time != nullptr) Assign(*time);
  return *this;
}

void Date::Assign(const SYSTEMTIME& time) {
  SystemTimeToVariantTime(&time, &date_);
}

void Date::SetDate(int year, int month, int day) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  Assign(time);
}

SYSTEMTIME Date::GetSYSTEMTIME() const {
  SYSTEMTIME time{};
  if (!VariantTimeToSystemTime(date_, &time)) time = SYSTEMTIME{};
  return time;
}

Date Date::operator++(int) {
  const Date old = *this;
  date_ += 1.0;
  return old;
}

Date Date::operator--(int) {
  const Date old = *this;
  date_ -= 1.0;
  return old;
}

Date& Date::operator+=(int days) {
  date_ += static_cast<double>(days);
  return *this;
}

Date& Date::operator-=(int days) {
  date_ -= static_cast<double>(days);
  return *this;
}

void Date::Attach(double value, bool add_reference) {
  (void)add_reference;  // a value has no reference to add
  date_ = value;
}

Date& Date::ParseFormat(const wchar_t* text, const wchar_t* const format) {
  if (text == nullptr) return *this;
  if (format == nullptr) RaiseHResult(E_INVALIDARG);
  wchar_t letters[kFormatBufferSize];
  int length = 0;
  for (; format[length] != L'\0'; ++length) {
    if (length == kFormatBufferSize - 1) RaiseHResult(E_INVALIDARG);
    letters[length] = static_cast<wchar_t>(std::towupper(format[length]));
  }
  SYSTEMTIME time{};
  MonthContext month_context = MonthContext::kUndecided;
  for (int i = 0; i < length && text[i] != L'\0'; ++i) {
    const wchar_t letter = letters[i];
    const bool is_field =
        letter == L'D' || letter == L'H' || letter == L'M' || letter == L'S' || letter == L'Y';
    if (!is_field) continue;
    if (!std::iswdigit(text[i])) RaiseHResult(E_INVALIDARG);
    switch (letter) {
      case L'Y':
        Accumulate(&time.wYear, text[i]);
        month_context = MonthContext::kDate;
        break;
      case L'D':
        Accumulate(&time.wDay, text[i]);
        month_context = MonthContext::kDate;
        break;
      case L'H':
        Accumulate(&time.wHour, text[i]);
        month_context = MonthContext::kTime;
        break;
      case L'S':
        Accumulate(&time.wSecond, text[i]);
        month_context = MonthContext::kTime;
        break;
      default:
        if (month_context == MonthContext::kDate) Accumulate(&time.wMonth, text[i]);
        if (month_context == MonthContext::kTime) Accumulate(&time.wMinute, text[i]);
    }
  }
  Assign(time);
  return *this;
}

Date& Date::ParseFormatYYYYMMDD(wchar_t* text) {
  return ParseFormat(text, L"YYYYMMDD");
}

Date& Date::ParseFormatYYYYMMDDHHMMSS(wchar_t* text) {
  return ParseFormat(text, L"YYYYMMDDHHMMSS");
}

BString<wchar_t> Date::Format(const BString<wchar_t>& format, int first_day, int first_week,
                              ULONG flags) const {
  BString<wchar_t> result;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_DATE;
  value.date = date_;
  CheckHResult(VarFormat(&value, format.ByVal(), first_day, first_week, flags, result.RetVal()));
  return result;
}

}  // namespace ddCOM
