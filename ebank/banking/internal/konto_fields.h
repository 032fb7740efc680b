// The fields of the KONTO account format in writing order
// (konto_fields.def) as CDBAccount holds them, shared by the record's DOM
// reader and writer and by its direct text writer.
#ifndef EBANK_BANKING_INTERNAL_KONTO_FIELDS_H_
#define EBANK_BANKING_INTERNAL_KONTO_FIELDS_H_

#include <array>
#include <cstddef>
#include <cwchar>
#include <iterator>
#include <string_view>

#include "ebank/banking/cdb_account.h"

namespace ebank::banking {

// Every field of the KONTO format but the date: each entry names either a
// number or a text member.
struct KontoField {
  const wchar_t* element;
  LONG CDBAccount::*number;
  CDBAccount::BString CDBAccount::*text;
};

inline constexpr KontoField kKontoFields[] = {
#define EBANK_KONTO_NUMBER(element, account_member, record_member) \
  {L"" #element, &CDBAccount::account_member, nullptr},
#define EBANK_KONTO_TEXT(element, account_member, record_member) \
  {L"" #element, nullptr, &CDBAccount::account_member},
#include "ebank/banking/internal/konto_fields.def"
};

// The element names of kKontoFields as views, their lengths known.
inline constexpr auto kKontoFieldNames = [] {
  std::array<std::wstring_view, std::size(kKontoFields)> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kKontoFields[i].element;
  return names;
}();

// The parent of the DATE element below KONTO.
inline constexpr const wchar_t* kDateParent = L"DATE_LASTDOWNLOAD";

// The YEAR, MONTH and DAY attribute texts of a download date: the year in
// decimal, month and day in two digits; all 0 for a value that is no date.
struct KontoDateTexts {
  explicit KontoDateTexts(const ddCOM::Date& date) {
    const SYSTEMTIME time = date.GetSYSTEMTIME();
    std::swprintf(year, std::size(year), L"%d", int{time.wYear});
    std::swprintf(month, std::size(month), L"%02d", int{time.wMonth});
    std::swprintf(day, std::size(day), L"%02d", int{time.wDay});
  }
  wchar_t year[8];
  wchar_t month[8];
  wchar_t day[8];
};

}  // namespace ebank::banking

#endif  // EBANK_BANKING_INTERNAL_KONTO_FIELDS_H_
