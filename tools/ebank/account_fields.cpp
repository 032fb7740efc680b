#include "tools/ebank/account_fields.h"

#include <cstdio>

#include "ebank/banking/cdb_account.h"
#include "tools/ebank/output.h"
#include "tools/ebank/text.h"

namespace ebank::tool {
void PrintAccountFields(const CDBAccount& account) {
  PrintField("database key (ID)", std::to_string(account.m_lKtoID));
  PrintField("number", account.m_bstrNummer);
  PrintField("bank code", account.m_bstrBLZ);
  PrintField("currency", account.m_bstrCurrency);
  PrintField("bank name", account.m_bstrBankName);
  PrintField("description", account.m_bstrBezeichnung);
  PrintField("contact", account.m_bstrContactName);
  PrintField("contact type", account.m_bstrContactType);
  PrintField("holder", account.m_bstrName);
  PrintField("holder (extension)", account.m_bstrNameEx);
  PrintField("street", account.m_bstrStreet);
  PrintField("city", std::to_string(account.m_lCityCode) + " " +
                         WideToUtf8(static_cast<const wchar_t*>(account.m_bstrCity)));
  PrintField("country code", std::to_string(account.m_lCountryCode));
  PrintField("last download", CalendarText(account.m_dtLastDownload.GetSYSTEMTIME(), false));
}

std::string AccountSummary(const CDBAccount& account) {
  char key[16];
  std::snprintf(key, sizeof key, "%6d", static_cast<int>(account.m_lKtoID));
  return std::string(key) + "  " + WideToUtf8(static_cast<const wchar_t*>(account.m_bstrNummer)) +
         " / " + WideToUtf8(static_cast<const wchar_t*>(account.m_bstrBLZ)) + " " +
         WideToUtf8(static_cast<const wchar_t*>(account.m_bstrCurrency)) + "  " +
         WideToUtf8(static_cast<const wchar_t*>(account.m_bstrBezeichnung));
}

}  // namespace ebank::tool
