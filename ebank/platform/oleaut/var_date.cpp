#include "ebank/platform/oleaut/var_date.h"

#include <cwctype>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/system_time.h"
#include "ebank/platform/oleaut/var_format.h"
#include "ebank/platform/oleaut/variant_time.h"

namespace {

// A cursor over a date text; every reader reports whether it matched.
class DateTextReader {
 public:
  explicit DateTextReader(const OLECHAR* text) : p_(text) {}

  void SkipBlanks() {
    while (*p_ != 0 && std::iswspace(*p_)) ++p_;
  }
  bool AtEnd() const { return *p_ == 0; }
  wchar_t Peek() const { return *p_; }

  // Up to five digits; `digits` receives how many were read.
  bool Number(int* value, int* digits) {
    *value = 0;
    *digits = 0;
    while (*p_ >= L'0' && *p_ <= L'9' && *digits < 5) {
      *value = *value * 10 + (*p_++ - L'0');
      ++*digits;
    }
    return *digits > 0;
  }

  bool Take(wchar_t c) {
    if (*p_ != c) return false;
    ++p_;
    return true;
  }

  bool TakeDateSeparator() { return Take(L'/') || Take(L'.') || Take(L'-'); }

  // "AM" or "PM" (any case); `pm` tells which.
  bool Meridiem(bool* pm) {
    const wint_t first = std::towupper(p_[0]);
    if ((first != L'A' && first != L'P') || std::towupper(p_[1]) != L'M') return false;
    *pm = first == L'P';
    p_ += 2;
    return true;
  }

 private:
  const OLECHAR* p_;
};

int FullYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

bool ReadDate(DateTextReader* reader, int first, int first_digits, bool day_first,
              SYSTEMTIME* time) {
  int values[3] = {first, 0, 0};
  int digits[3] = {first_digits, 0, 0};
  int count = 1;
  while (count < 3 && reader->TakeDateSeparator()) {
    if (!reader->Number(&values[count], &digits[count])) return false;
    ++count;
  }
  if (count < 2) return false;
  if (digits[0] >= 3) {  // year first: y-m-d
    time->wYear = static_cast<WORD>(values[0]);
    time->wMonth = static_cast<WORD>(values[1]);
    time->wDay = static_cast<WORD>(count == 3 ? values[2] : 1);
    return count == 3;
  }
  time->wMonth = static_cast<WORD>(values[day_first ? 1 : 0]);
  time->wDay = static_cast<WORD>(values[day_first ? 0 : 1]);
  if (count == 3) {
    time->wYear = static_cast<WORD>(FullYear(values[2], digits[2]));
  } else {
    SYSTEMTIME now;
    GetLocalTime(&now);
    time->wYear = now.wYear;
  }
  return true;
}

// After the hour has been read: ":mm[:ss]" and an optional AM or PM.
bool ReadTime(DateTextReader* reader, int hour, SYSTEMTIME* time) {
  int minute = 0;
  int second = 0;
  int digits;
  if (!reader->Take(L':') || !reader->Number(&minute, &digits)) return false;
  if (reader->Take(L':') && !reader->Number(&second, &digits)) return false;
  reader->SkipBlanks();
  bool pm;
  if (reader->Meridiem(&pm)) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (pm ? 12 : 0);
  }
  time->wHour = static_cast<WORD>(hour);
  time->wMinute = static_cast<WORD>(minute);
  time->wSecond = static_cast<WORD>(second);
  return true;
}

}  // namespace

extern "C" HRESULT VarBstrFromDate(DATE value, LCID lcid, ULONG flags, BSTR* out) {
  (void)flags;  // no user overrides exist
  return ebank::platform::FormatDate(value, L"General Date", 0, 0, lcid, out);
}

extern "C" HRESULT VarDateFromStr(const OLECHAR* text, LCID lcid, ULONG flags, DATE* out) {
  (void)flags;
  if (text == nullptr || out == nullptr) return E_INVALIDARG;
  SYSTEMTIME time = {1899, 12, 0, 30, 0, 0, 0, 0};
  DateTextReader reader(text);
  reader.SkipBlanks();
  int number;
  int digits;
  if (!reader.Number(&number, &digits)) return DISP_E_TYPEMISMATCH;
  bool time_only = reader.Peek() == L':';
  if (!time_only) {
    const bool day_first = ebank::platform::GetLocaleInfoFor(lcid).day_before_month;
    if (!ReadDate(&reader, number, digits, day_first, &time)) return DISP_E_TYPEMISMATCH;
    reader.SkipBlanks();
  }
  if (time_only || !reader.AtEnd()) {
    if (!time_only && !reader.Number(&number, &digits)) return DISP_E_TYPEMISMATCH;
    if (!ReadTime(&reader, number, &time)) return DISP_E_TYPEMISMATCH;
  }
  reader.SkipBlanks();
  if (!reader.AtEnd()) return DISP_E_TYPEMISMATCH;
  DATE value;
  if (!SystemTimeToVariantTime(&time, &value)) return DISP_E_TYPEMISMATCH;
  *out = value;
  return S_OK;
}
