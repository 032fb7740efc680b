// CDBAccount: one bank account as the transaction database keeps it, with its
// KONTO XML form, its validity rules, the where-clauses that find it in the
// account table and the name under which it is shown as a payment's sender.
#ifndef EBANK_BANKING_CDB_ACCOUNT_H_
#define EBANK_BANKING_CDB_ACCOUNT_H_

#include "ebank/core/bstring.h"
#include "ebank/core/date.h"
#include "ebank/platform/com/com_support.h"
#include "ebank/platform/export.h"
#include "ebank/platform/msxml/msxml.h"
#include "ebank/platform/types.h"

namespace ddXML {
class CXmlClass;
}  // namespace ddXML

// How the database looks an account up.
enum eACCOUNT_REQUEST {
  eREQ_KTONR_BLZ_CURRENCY = 0,
  eREQ_KTONR_BLZ = 1,
  eREQ_KTOID = 2,
};

class EBANK_EXPORT CDBAccount {
 public:
  using BString = ddCOM::BString<wchar_t>;

  CDBAccount();
  // The arguments are BSTRs, copied with their full length; a null one leaves
  // its field empty (a null currency gives no "EUR").
  CDBAccount(wchar_t* const number, wchar_t* const bankCode, wchar_t* const currency);
  CDBAccount(const BString& number, const BString& bankCode, const BString& currency);
  explicit CDBAccount(const IXMLDOMNodePtr& node);
  explicit CDBAccount(wchar_t* const xml);
  CDBAccount(const CDBAccount& other);
  CDBAccount& operator=(const CDBAccount& other);
  ~CDBAccount();

  // Back to the initial values; the download date keeps its value.
  void Clear();
  // Equal when bank code, number and currency compare equal (ignoring case).
  bool operator==(const CDBAccount& other);

  // With `all`: true when bank code, number and currency are all empty;
  // without: true when at least one of them is.
  bool IsKontoEmpty(bool all) const;
  // A complete check needs all three key fields, a lenient one any of them;
  // the currency must be EUR, EURO, DM or DEM. An empty currency becomes EUR
  // (after the emptiness check).
  bool IsKontoValid(bool complete);
  // The where-clause for `request`; empty for an unknown request. Apostrophes
  // in the inserted values are doubled, so no value can end its quoted string.
  BString GetSelectStatement(eACCOUNT_REQUEST request) const;
  BString GetSenderAccountName() const;
  bool IsHBCIAccount() const;
  bool IsBTXAccount() const;
  bool IsScrapeAccount() const;
  // False only for the account number "-1" (an account not yet synchronized).
  bool IsSynchronized() const;

  // Replaces `doc` by a KONTO document of this record; returns S_OK.
  LONG KontoToXml(ddXML::CXmlClass& doc);
  _bstr_t KontoToXmlbStr();
  // Reads every field from a KONTO node (a missing element gives an empty
  // text or 0, a missing currency EUR); a null node reads nothing.
  LONG XmlNodeToKonto(const IXMLDOMNodePtr& node);
  // Reads a KONTO document, or the first KONTO of a KONTEN document; any other
  // document (or null text) leaves the record as it is. Malformed text raises
  // the parser's ddCOM::Error.
  LONG XmlToKonto(wchar_t* xml);

  LONG m_lKtoID;
  LONG m_lFkKeyDown;
  LONG m_lFkKeyUp;
  BString m_bstrNummer;
  BString m_bstrBLZ;
  BString m_bstrCurrency;
  BString m_bstrBankName;
  LONG m_lOnline;
  BString m_bstrBezeichnung;
  BString m_bstrContactName;
  BString m_bstrContactType;
  ddCOM::Date m_dtLastDownload;
  BString m_bstrName;
  BString m_bstrNameEx;
  BString m_bstrCity;
  BString m_bstrStreet;
  LONG m_lCityCode;
  LONG m_lCountryCode;
};

#endif  // EBANK_BANKING_CDB_ACCOUNT_H_
