#include "ebank/banking/account_info.h"

#include <cwchar>

#include "ebank/banking/cdb_account.h"
#include "ebank/banking/ebank_const.h"
#include "ebank/banking/ebank_xml.h"
#include "ebank/platform/win32/wide_string.h"
#include "ebank/xml/internal/narrowed_text.h"
#include "ebank/xml/xml_class.h"

namespace {

using BString = Account_Info::BString;

constexpr const char* kProtocols[] = {"HBCI", "BTX", "INET"};

bool IsKnownProtocol(const BString& contact_type) {
  for (const char* protocol : kProtocols) {
    if (contact_type == protocol) return true;
  }
  return false;
}

}  // namespace

Account_Info::Account_Info() : m_bstrCurrency(ovEBankConst::CUR_EUR) {}

Account_Info::Account_Info(const IXMLDOMNodePtr& node) : Account_Info() {
  ParseAccountInfo(node);
}

Account_Info::Account_Info(const CDBAccount& account)
    : m_bstrBankName(account.m_bstrBankName),
      m_bstrCurrency(account.m_bstrCurrency),
      m_bstrKNR(account.m_bstrNummer),
      m_bstrAccountName(account.m_bstrBezeichnung),
      m_bstrAccountHolder(account.m_bstrName),
      m_bstrBLZ(account.m_bstrBLZ),
      m_lDBKtoID(account.m_lKtoID) {
  for (const char* protocol : kProtocols) {
    if (account.m_bstrContactType == protocol) {
      m_bstrProtocol = protocol;
      break;
    }
  }
}

LONG Account_Info::ParseAccountInfo(const IXMLDOMNodePtr& node) {
  using namespace ovEBankXML;
  const ddXML::CXmlClass info(node);
  m_lDBKtoID = info.getNodeLong(ACCOUNT_FK_ID);
  m_bstrName = info.getNodeText(L"NAME");
  m_bstrContact = info.getNodeText(L"CONTACT");
  m_bstrKNR = info.getNodeText(ACCOUNT_NR);
  m_bstrAccountName = info.getNodeText(ACCOUNT_NAME);
  m_bstrCurrency = info.getNodeText(ACCOUNT_CURRENCY);
  m_bstrAccountHolder = info.getNodeText(ACCOUNT_HOLDER);
  m_bstrBLZ = info.getNodeText(ACCOUNT_BLZ);
  m_bstrBankName = info.getNodeText(ACCOUNT_BANKNAME);
  m_lCountry = info.getNodeLong(ACCOUNT_COUNTRY);
  m_bstrProtocol = info.getNodeText(L"@TYPE");
  if (IsHBCI()) m_lHbciVersion = info.getNodeLong(L"HBCI_VERSION");
  m_bstrXML = ddXML::internal::NarrowedText(node->Getxml());
  return S_OK;
}

bool Account_Info::IsHBCI() const {
  return m_bstrProtocol == "HBCI";
}

bool Account_Info::IsBTX() const {
  return m_bstrProtocol == "BTX";
}

bool Account_Info::IsScrape() const {
  return m_bstrProtocol == "INET";
}

bool Account_Info::IsAccountFound(const BString& bankCode, const BString& number,
                                  const BString& currency) const {
  if (!(bankCode == m_bstrBLZ) || !(currency == m_bstrCurrency)) return false;
  if (number == m_bstrKNR) return true;
  return _wtol(number.ByVal()) == _wtol(m_bstrKNR.ByVal());
}

bool Account_Info::IsAccountFound(const CDBAccount* account) const {
  if (account == nullptr) return false;
  if (!IsAccountFound(account->m_bstrBLZ, account->m_bstrNummer, account->m_bstrCurrency)) {
    return false;
  }
  if (!account->m_bstrBezeichnung.IsEmpty() && !(m_bstrAccountName == account->m_bstrBezeichnung)) {
    return false;
  }
  const BString& contact_type = account->m_bstrContactType;
  if (IsBTX() && contact_type == "BTX") return true;
  if (IsHBCI() && contact_type == "HBCI") return true;
  if (IsScrape() && contact_type == "INET") return true;
  return !IsKnownProtocol(contact_type);
}
