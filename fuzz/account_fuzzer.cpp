// Fuzzes the two account records with arbitrary XML: CDBAccount::XmlToKonto
// (which must read every text as a document reading does, whether its KONTO
// scan takes the text or declines it) and Account_Info::ParseAccountInfo on
// every ACCOUNT_INFO element. The
// record read must write itself back as KONTO XML (the same text through the
// direct writer and through the DOM) that reads again to the same
// where-clauses (after a first pass, which may narrow characters the ANSI code
// page lacks), and its where-clauses must keep every value inside its quotes.
// A record holding the input itself as texts (inputs with an odd first byte)
// must write text that reads back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>

#include "ebank/banking/account_info.h"
#include "ebank/banking/cdb_account.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/xml/xml_class.h"
#include "fuzz/attempt.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"

namespace {

using ddXML::CXmlClass;

constexpr eACCOUNT_REQUEST kRequests[] = {eREQ_KTONR_BLZ_CURRENCY, eREQ_KTONR_BLZ, eREQ_KTOID};

using ebank::fuzz::Attempt;

std::wstring Wide(const CDBAccount::BString& text) {
  return text.IsNothing() ? std::wstring() : std::wstring(text.ByVal(), text.Length());
}

// Outside its quoted values ('' inside them is an apostrophe) a where-clause
// holds only column names, spaces, '=' and, for the key, digits and a sign.
void CheckQuoting(const std::wstring& clause) {
  bool quoted = false;
  for (std::size_t i = 0; i < clause.size(); ++i) {
    const wchar_t c = clause[i];
    if (c == L'\'') {
      if (quoted && i + 1 < clause.size() && clause[i + 1] == L'\'') {
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (!quoted) {
      EBANK_FUZZ_CHECK((c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') ||
                       (c >= L'0' && c <= L'9') || c == L' ' || c == L'=' || c == L'-');
    }
  }
  EBANK_FUZZ_CHECK(!quoted);
}

std::wstring Wide(const _bstr_t& text) {
  const wchar_t* chars = text;
  return chars == nullptr ? std::wstring() : std::wstring(chars, text.length());
}

// Writes the record's KONTO text, checking that the direct writer gives what
// the DOM writer gives.
CDBAccount RoundTrip(CDBAccount& account) {
  _bstr_t xml = account.KontoToXmlbStr();
  CXmlClass doc;
  account.KontoToXml(doc);
  EBANK_FUZZ_CHECK(Wide(xml) == Wide(doc.getXml()));
  CDBAccount again;
  EBANK_FUZZ_CHECK(Attempt([&] { again.XmlToKonto(static_cast<wchar_t*>(xml)); }));
  return again;
}

void CheckKonto(CDBAccount& account) {
  for (eACCOUNT_REQUEST request : kRequests)
    CheckQuoting(Wide(account.GetSelectStatement(request)));
  (void)account.GetSenderAccountName();
  (void)account.IsKontoValid(false);
  CDBAccount once = RoundTrip(account);
  CDBAccount twice = RoundTrip(once);
  // Called by name: the operator is not const, which makes C++20's reversed
  // candidate ambiguous with it.
  EBANK_FUZZ_CHECK(once.operator==(twice));
  for (eACCOUNT_REQUEST request : kRequests) {
    EBANK_FUZZ_CHECK(Wide(once.GetSelectStatement(request)) ==
                     Wide(twice.GetSelectStatement(request)));
  }
}

// A record's texts need not come from XML: whatever characters they hold,
// the writers must make text that reads back, and the where-clauses must keep
// them inside their quotes.
void CheckRawTexts(const std::wstring& text) {
  CDBAccount account(CDBAccount::BString(text.c_str()), CDBAccount::BString(L"50010517"),
                     CDBAccount::BString(L"EUR"));
  account.m_bstrName = CDBAccount::BString(text.data(), static_cast<UINT>(text.size()));
  for (eACCOUNT_REQUEST request : kRequests)
    CheckQuoting(Wide(account.GetSelectStatement(request)));
  RoundTrip(account);
}

void CheckAccountInfos(const std::wstring& xml, const CDBAccount& account) {
  CXmlClass doc;
  if (!Attempt([&] { doc.loadXML(xml.c_str()); })) return;
  IXMLDOMNodeListPtr nodes;
  if (!Attempt([&] { nodes = doc.getNodes(L"descendant-or-self::ACCOUNT_INFO"); })) return;
  for (LONG i = 0; nodes != nullptr && i < nodes->Getlength() && i < 8; ++i) {
    Account_Info info;
    Attempt([&] { info.ParseAccountInfo(nodes->Getitem(i)); });
    (void)info.IsAccountFound(&account);
    (void)info.IsAccountFound(info.GetBLZ(), info.GetKNR(), info.GetCurrency());
    Account_Info from_record(account);
    (void)from_record.IsAccountFound(&account);
  }
}

// Reads `xml` into `account` through a document, as XmlToKonto reads every
// text its KONTO scan declines; false when that raises.
bool ReadThroughDocument(const std::wstring& xml, CDBAccount& account) {
  return Attempt([&] {
    const CXmlClass doc(xml.c_str());
    if (doc.isNodeFound(L"/KONTEN")) {
      account.XmlNodeToKonto(doc.getNode(L"/KONTEN/KONTO"));
    } else if (IXMLDOMNodePtr konto = doc.getNode(L"/KONTO"); konto != nullptr) {
      account.XmlNodeToKonto(konto);
    }
  });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring xml = ebank::fuzz::WideFromFuzzBytes(data, size);
  CDBAccount account;
  const bool read = Attempt([&] { account.XmlToKonto(xml.data()); });
  // Scanned or not, the text reads as the document reads it.
  CDBAccount through_document;
  EBANK_FUZZ_CHECK(ReadThroughDocument(xml, through_document) == read);
  if (read) {
    EBANK_FUZZ_CHECK(Wide(account.KontoToXmlbStr()) == Wide(through_document.KontoToXmlbStr()));
    EBANK_FUZZ_CHECK(account.m_dtLastDownload.ByVal() == through_document.m_dtLastDownload.ByVal());
    CheckKonto(account);
  }
  // Writing a record costs as much as reading one: only inputs with an odd
  // first byte (which no XML text starting with '<' or a blank has) are also
  // taken as raw texts.
  if (size > 0 && (data[0] & 1) != 0) CheckRawTexts(xml);
  CheckAccountInfos(xml, account);
  return 0;
}
