// Account_Info: an account as an online-banking contact describes it, read from
// an ACCOUNT_INFO element or built from a database account, and the rule that
// decides whether a database account is the same account.
#ifndef EBANK_BANKING_ACCOUNT_INFO_H_
#define EBANK_BANKING_ACCOUNT_INFO_H_

#include "ebank/core/bstring.h"
#include "ebank/platform/export.h"
#include "ebank/platform/msxml/msxml.h"
#include "ebank/platform/types.h"

class CDBAccount;

class EBANK_EXPORT Account_Info {
 public:
  using BString = ddCOM::BString<wchar_t>;

  // Everything empty or 0 except the currency, EUR.
  Account_Info();
  explicit Account_Info(const IXMLDOMNodePtr& node);
  // Takes the account's keys, names and key; the protocol is the account's
  // contact type in upper case when it is HBCI, BTX or INET. No EUR default.
  explicit Account_Info(const CDBAccount& account);
  Account_Info(const Account_Info& other) = default;
  Account_Info& operator=(const Account_Info& other) = default;
  ~Account_Info() = default;

  const BString& GetName() const { return m_bstrName; }
  const BString& GetContact() const { return m_bstrContact; }
  const BString& GetProtocol() const { return m_bstrProtocol; }
  const BString& GetBankName() const { return m_bstrBankName; }
  const BString& GetCurrency() const { return m_bstrCurrency; }
  const BString& GetKNR() const { return m_bstrKNR; }
  const BString& GetAccountName() const { return m_bstrAccountName; }
  const BString& GetAccountHolder() const { return m_bstrAccountHolder; }
  const BString& GetBLZ() const { return m_bstrBLZ; }
  const BString& GetXML() const { return m_bstrXML; }
  LONG GetDBKtoID() const { return m_lDBKtoID; }
  void SetDBKtoID(LONG id) { m_lDBKtoID = id; }

  // Reads every field from an ACCOUNT_INFO element (a missing one becomes
  // empty or 0); the HBCI version only for the HBCI protocol. Keeps the
  // element's XML text. A null node raises ddCOM::Exception(E_INVALIDARG).
  LONG ParseAccountInfo(const IXMLDOMNodePtr& node);

  bool IsHBCI() const;
  bool IsBTX() const;
  bool IsScrape() const;

  // Same bank code and currency, and the same number either as text or as
  // the number its leading digits give (0001234 matches 1234).
  bool IsAccountFound(const BString& bankCode, const BString& number,
                      const BString& currency) const;
  // The key match above, an account name that equals the account's
  // description (or an empty description), and a protocol that fits the
  // account's contact type. A null account is never found.
  bool IsAccountFound(const CDBAccount* account) const;

  BString m_bstrName;
  BString m_bstrContact;
  BString m_bstrProtocol;
  LONG m_lHbciVersion = 0;
  BString m_bstrBankName;
  BString m_bstrCurrency;
  BString m_bstrKNR;
  BString m_bstrAccountName;
  BString m_bstrAccountHolder;
  LONG m_lCountry = 0;
  BString m_bstrBLZ;
  BString m_bstrXML;
  LONG m_lDBKtoID = 0;
};

#endif  // EBANK_BANKING_ACCOUNT_INFO_H_
