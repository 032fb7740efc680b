// The attributes of a DATE element that hold a date, as CXmlClass reads and
// writes them (getNodeDate, setNodeText of a SYSTEMTIME): the year in
// decimal, month and day in two digits. The vocabulary exports the same
// names as ovEBankXML::YEAR, MONTH and DAY.
#ifndef EBANK_XML_INTERNAL_DATE_ATTRIBUTES_H_
#define EBANK_XML_INTERNAL_DATE_ATTRIBUTES_H_

namespace ddXML::internal {

inline constexpr wchar_t kYearAttribute[] = L"YEAR";
inline constexpr wchar_t kMonthAttribute[] = L"MONTH";
inline constexpr wchar_t kDayAttribute[] = L"DAY";

}  // namespace ddXML::internal

#endif  // EBANK_XML_INTERNAL_DATE_ATTRIBUTES_H_
