#include "ebank/banking/cdb_account.h"

#include <string>
#include <utility>
#include <vector>

#include "ebank/core/error.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gtest/gtest.h"

namespace {

using ddXML::CXmlClass;
using ddXML::testing::DdComErrorOf;
using ddXML::testing::Text;
using BString = CDBAccount::BString;

class CDBAccountTest : public ddXML::testing::XmlTest {
 protected:
  // A record with every field set, texts holding markup characters,
  // apostrophes and umlauts.
  static CDBAccount FullRecord() {
    CDBAccount account;
    account.m_lKtoID = 17;
    account.m_lFkKeyDown = 4;
    account.m_lFkKeyUp = -9;
    account.m_bstrNummer = L"0001234";
    account.m_bstrBLZ = L"12345678";
    account.m_bstrCurrency = L"DEM";
    account.m_bstrBankName = L"Sparkasse K\u00f6ln & Bonn";
    account.m_lOnline = 2;
    account.m_bstrBezeichnung = L"Girokonto <privat>";
    account.m_bstrContactName = L"O'Brien's Hausbank";
    account.m_bstrContactType = L"HBCI";
    account.m_dtLastDownload.SetDate(2024, 2, 29);
    account.m_bstrName = L"J\u00fcrgen M\u00fcller";
    account.m_bstrNameEx = L"\"Gro\u00df\" & S\u00f6hne";
    account.m_bstrCity = L"D\u00fcsseldorf";
    account.m_bstrStreet = L"K\u00f6nigsallee 1";
    account.m_lCityCode = 40212;
    account.m_lCountryCode = 280;
    return account;
  }

  static void ExpectSameFields(const CDBAccount& actual, const CDBAccount& expected) {
    EXPECT_EQ(actual.m_lKtoID, expected.m_lKtoID);
    EXPECT_EQ(actual.m_lFkKeyDown, expected.m_lFkKeyDown);
    EXPECT_EQ(actual.m_lFkKeyUp, expected.m_lFkKeyUp);
    EXPECT_EQ(actual.m_lOnline, expected.m_lOnline);
    EXPECT_EQ(actual.m_lCityCode, expected.m_lCityCode);
    EXPECT_EQ(actual.m_lCountryCode, expected.m_lCountryCode);
    EXPECT_EQ(actual.m_dtLastDownload.ByVal(), expected.m_dtLastDownload.ByVal());
    const std::pair<const BString*, const BString*> texts[] = {
        {&actual.m_bstrNummer, &expected.m_bstrNummer},
        {&actual.m_bstrBLZ, &expected.m_bstrBLZ},
        {&actual.m_bstrCurrency, &expected.m_bstrCurrency},
        {&actual.m_bstrBankName, &expected.m_bstrBankName},
        {&actual.m_bstrBezeichnung, &expected.m_bstrBezeichnung},
        {&actual.m_bstrContactName, &expected.m_bstrContactName},
        {&actual.m_bstrContactType, &expected.m_bstrContactType},
        {&actual.m_bstrName, &expected.m_bstrName},
        {&actual.m_bstrNameEx, &expected.m_bstrNameEx},
        {&actual.m_bstrCity, &expected.m_bstrCity},
        {&actual.m_bstrStreet, &expected.m_bstrStreet},
    };
    for (const auto& [got, want] : texts) EXPECT_EQ(Text(*got), Text(*want));
  }

  // The names and texts of the KONTO children, in document order.
  static std::vector<std::pair<std::wstring, std::wstring>> ChildrenOf(CXmlClass& doc) {
    std::vector<std::pair<std::wstring, std::wstring>> children;
    IXMLDOMNodeListPtr nodes = doc.getNodes(L"*");
    for (LONG i = 0; i < nodes->Getlength(); ++i) {
      IXMLDOMNodePtr node = nodes->Getitem(i);
      children.emplace_back(static_cast<const wchar_t*>(node->GetnodeName()),
                            static_cast<const wchar_t*>(node->Gettext()));
    }
    return children;
  }

  static std::wstring WideOf(const _bstr_t& text) { return static_cast<const wchar_t*>(text); }
};

TEST_F(CDBAccountTest, DefaultRecordWritesTheInitialKontoInWritingOrder) {
  CDBAccount account;
  CXmlClass doc(L"<OTHER><OLD/></OTHER>");
  EXPECT_EQ(account.KontoToXml(doc), S_OK);

  const std::vector<std::pair<std::wstring, std::wstring>> expected = {
      {L"ID", L"-1"},        {L"FK_KEY_DOWN", L"-1"}, {L"FK_KEY_UP", L"-1"},
      {L"NUMMER", L""},      {L"BLZ", L""},           {L"CURRENCY", L"EUR"},
      {L"ONLINE", L"-1"},    {L"BEZEICHNUNG", L""},   {L"BANKNAME", L""},
      {L"CONTACTNAME", L""}, {L"CONTACTTYPE", L""},   {L"NAME", L""},
      {L"NAMEEX", L""},      {L"CITY", L""},          {L"STREET", L""},
      {L"CITYCODE", L"0"},   {L"COUNTRYCODE", L"0"},  {L"DATE_LASTDOWNLOAD", L""},
  };
  EXPECT_EQ(ChildrenOf(doc), expected);
  EXPECT_EQ(WideOf(doc.getDocument()->GetdocumentElement()->GetnodeName()), L"KONTO");

  const std::wstring xml = Text(doc.getXml());
  EXPECT_NE(xml.find(L"<DATE_LASTDOWNLOAD><DATE YEAR=\"1899\" MONTH=\"12\" DAY=\"30\"/>"),
            std::wstring::npos)
      << std::string(xml.begin(), xml.end());
  EXPECT_EQ(xml.find(L"OLD"), std::wstring::npos) << "the old document is replaced";
}

TEST_F(CDBAccountTest, RoundTripsEveryFieldThroughTextAndNodes) {
  CDBAccount original = FullRecord();
  const _bstr_t xml = original.KontoToXmlbStr();
  const std::wstring text = WideOf(xml);
  EXPECT_NE(text.find(L"&amp; Bonn"), std::wstring::npos);
  EXPECT_NE(text.find(L"&lt;privat&gt;"), std::wstring::npos);
  EXPECT_NE(text.find(L"YEAR=\"2024\" MONTH=\"02\" DAY=\"29\""), std::wstring::npos);

  CDBAccount from_text;
  from_text.XmlToKonto(xml);
  ExpectSameFields(from_text, original);

  CXmlClass doc(xml);
  CDBAccount from_node(doc.getNode(L"/KONTO"));
  ExpectSameFields(from_node, original);

  CDBAccount overwritten(const_cast<wchar_t*>(L"<KONTO><ID>99</ID><CITY>x</CITY></KONTO>"));
  EXPECT_EQ(overwritten.m_lKtoID, 99);
  EXPECT_EQ(overwritten.XmlNodeToKonto(doc.getNode(L"/KONTO")), S_OK);
  ExpectSameFields(overwritten, original);

  // The default record survives the round trip too, its 1899-12-30 date included.
  CDBAccount initial;
  CDBAccount read_back(static_cast<wchar_t*>(initial.KontoToXmlbStr()));
  ExpectSameFields(read_back, initial);
}

TEST_F(CDBAccountTest, MissingElementsOverwriteWithEmptyTextsAndZeros) {
  CDBAccount account = FullRecord();
  const double download = account.m_dtLastDownload;
  account.XmlToKonto(const_cast<wchar_t*>(
      L"<KONTO><NUMMER>007</NUMMER><ONLINE>12abc</ONLINE><FK_KEY_UP>kein</FK_KEY_UP>"
      L"<COUNTRYCODE> -40</COUNTRYCODE><CURRENCY></CURRENCY></KONTO>"));
  EXPECT_EQ(Text(account.m_bstrNummer), L"007");
  EXPECT_EQ(Text(account.m_bstrCurrency), L"EUR");
  EXPECT_EQ(account.m_lOnline, 12);
  EXPECT_EQ(account.m_lFkKeyUp, 0);
  EXPECT_EQ(account.m_lCountryCode, -40);
  EXPECT_EQ(account.m_lKtoID, 0) << "a missing number is 0, not the initial -1";
  EXPECT_EQ(account.m_lCityCode, 0);
  EXPECT_TRUE(account.m_bstrBLZ.IsEmpty());
  EXPECT_TRUE(account.m_bstrContactName.IsEmpty());
  EXPECT_TRUE(account.m_bstrStreet.IsEmpty());
  EXPECT_EQ(account.m_dtLastDownload.ByVal(), download)
      << "a KONTO without a date keeps the record's date";
}

TEST_F(CDBAccountTest, ReadsTheFirstElementOfEachNameAmongMixedChildren) {
  CXmlClass doc(
      L"<KONTO><!-- Kommentar --><NUMMER>1<X>2</X></NUMMER>text<NUMMER>9</NUMMER>"
      L"<ID>5</ID><ID>6</ID><DATE_LASTDOWNLOAD/><DATE_LASTDOWNLOAD><DATE YEAR='2023' MONTH='7' "
      L"DAY='4'/></DATE_LASTDOWNLOAD><DATE_LASTDOWNLOAD><DATE YEAR='2020' MONTH='1' DAY='1'/>"
      L"</DATE_LASTDOWNLOAD></KONTO>");
  const CDBAccount account(doc.getNode(L"/KONTO"));
  EXPECT_EQ(Text(account.m_bstrNummer), L"12") << "the text of every descendant";
  EXPECT_EQ(account.m_lKtoID, 5);
  CDBAccount expected;
  expected.m_dtLastDownload.SetDate(2023, 7, 4);
  EXPECT_EQ(account.m_dtLastDownload.ByVal(), expected.m_dtLastDownload.ByVal());

  // A node that is no element cannot be the root of a KONTO document.
  CDBAccount from_document;
  EXPECT_THROW(from_document.XmlNodeToKonto(IXMLDOMNodePtr(doc.getDocument())), _com_error);
  EXPECT_EQ(Text(from_document.m_bstrCurrency), L"EUR");
}

TEST_F(CDBAccountTest, ReadsTheFirstKontoOfAListAndIgnoresOtherDocuments) {
  CDBAccount account;
  account.XmlToKonto(const_cast<wchar_t*>(
      L"<KONTEN><KONTO><NUMMER>1</NUMMER></KONTO><KONTO><NUMMER>2</NUMMER></KONTO>"
      L"<KONTO><NUMMER>3</NUMMER></KONTO></KONTEN>"));
  EXPECT_EQ(Text(account.m_bstrNummer), L"1");

  const CDBAccount before = FullRecord();
  for (const wchar_t* xml :
       {L"<KONTEN/>", L"<ACCOUNTS><KONTO><NUMMER>9</NUMMER></KONTO></ACCOUNTS>",
        static_cast<const wchar_t*>(nullptr)}) {
    CDBAccount unchanged = before;
    EXPECT_EQ(unchanged.XmlToKonto(const_cast<wchar_t*>(xml)), S_OK);
    ExpectSameFields(unchanged, before);
  }
  CDBAccount from_null_node(IXMLDOMNodePtr{});
  ExpectSameFields(from_null_node, CDBAccount());

  CDBAccount malformed = before;
  try {
    malformed.XmlToKonto(const_cast<wchar_t*>(L"<KONTO><NUMMER>1</KONTO>"));
    FAIL() << "malformed XML must raise the parser's error";
  } catch (const ddCOM::Error& error) {
    EXPECT_LT(error.HResult(), 0);
  }
  ExpectSameFields(malformed, before);
}

TEST_F(CDBAccountTest, ValidityNeedsTheKeyFieldsAndAKnownCurrency) {
  CDBAccount account;
  account.m_bstrNummer = L"1234";
  account.m_bstrBLZ = L"12345678";
  account.m_bstrCurrency.Empty();
  EXPECT_FALSE(account.IsKontoValid(true)) << "the currency is filled in after the check";
  EXPECT_EQ(Text(account.m_bstrCurrency), L"EUR");
  EXPECT_TRUE(account.IsKontoValid(true));
  for (const wchar_t* currency : {L"eur", L"Euro", L"dm", L"DEM"}) {
    account.m_bstrCurrency = currency;
    EXPECT_TRUE(account.IsKontoValid(true)) << currency;
  }
  account.m_bstrCurrency = L"CHF";
  EXPECT_FALSE(account.IsKontoValid(false));
  EXPECT_EQ(Text(account.m_bstrCurrency), L"CHF");

  CDBAccount number_only(BString(L"1234"), BString(), BString(L"dm"));
  EXPECT_TRUE(number_only.IsKontoValid(false));
  EXPECT_FALSE(number_only.IsKontoValid(true));
  EXPECT_FALSE(number_only.IsKontoEmpty(true));
  EXPECT_TRUE(number_only.IsKontoEmpty(false));

  CDBAccount nothing{BString(), BString(), BString()};
  EXPECT_TRUE(nothing.IsKontoEmpty(true));
  EXPECT_FALSE(nothing.IsKontoValid(false));
  EXPECT_EQ(Text(nothing.m_bstrCurrency), L"EUR");
}

TEST_F(CDBAccountTest, ComparesKeysIgnoringCaseAndNothingElse) {
  CDBAccount left(BString(L"12ab"), BString(L"12345678"), BString(L"EUR"));
  CDBAccount right(BString(L"12AB"), BString(L"12345678"), BString(L"eur"));
  right.m_bstrBezeichnung = L"anders";
  right.m_lKtoID = 3;
  EXPECT_TRUE(left == right);
  right.m_bstrBLZ = L"12345679";
  EXPECT_FALSE(left == right);
  CDBAccount empty_currency(BString(L"12ab"), BString(L"12345678"), BString(L""));
  CDBAccount null_currency(BString(L"12ab"), BString(L"12345678"), BString());
  EXPECT_TRUE(empty_currency == null_currency);
  EXPECT_FALSE(empty_currency == left);
}

TEST_F(CDBAccountTest, SenderNameAndContactTypes) {
  CDBAccount account;
  account.m_bstrContactType = L"hbci";
  account.m_bstrContactName = L"Hausbank";
  account.m_bstrBezeichnung = L"Giro";
  account.m_bstrBankName = L"Volksbank";
  EXPECT_TRUE(account.IsHBCIAccount());
  EXPECT_EQ(Text(account.GetSenderAccountName()), L"Hausbank");

  account.m_bstrContactType = L"BTX";
  EXPECT_TRUE(account.IsBTXAccount());
  EXPECT_FALSE(account.IsHBCIAccount());
  EXPECT_EQ(Text(account.GetSenderAccountName()), L"Giro");
  account.m_bstrBezeichnung.Empty();
  EXPECT_EQ(Text(account.GetSenderAccountName()), L"Hausbank");

  account.m_bstrContactType = L"Inet";
  EXPECT_TRUE(account.IsScrapeAccount());
  account.m_bstrBezeichnung = L"KEIN HOMEBANKINGKONTAKT";
  EXPECT_EQ(Text(account.GetSenderAccountName()), L"Volksbank");
  account.m_bstrBezeichnung.Empty();
  account.m_bstrContactName.Empty();
  EXPECT_EQ(Text(account.GetSenderAccountName()), L"Volksbank");
  account.m_bstrBankName.Empty();
  EXPECT_TRUE(account.GetSenderAccountName().IsEmpty());

  for (const auto& [number, synchronized] :
       {std::pair{L"-1", false}, {L"-2", true}, {L"0", true}, {L"", true}}) {
    account.m_bstrNummer = number;
    EXPECT_EQ(account.IsSynchronized(), synchronized) << number;
  }
}

// Splits a where-clause into the text outside string literals and the decoded
// literals, by the SQL rule that '' inside a literal is one apostrophe.
struct ScannedClause {
  std::wstring skeleton;
  std::vector<std::wstring> literals;
  bool unterminated = false;
};

ScannedClause Scan(const std::wstring& clause) {
  ScannedClause scanned;
  bool inside = false;
  for (std::size_t i = 0; i < clause.size(); ++i) {
    const wchar_t c = clause[i];
    if (!inside) {
      scanned.skeleton += c;
      if (c == L'\'') {
        inside = true;
        scanned.literals.emplace_back();
      }
    } else if (c != L'\'') {
      scanned.literals.back() += c;
    } else if (i + 1 < clause.size() && clause[i + 1] == L'\'') {
      scanned.literals.back() += c;
      ++i;
    } else {
      inside = false;
      scanned.skeleton += c;
    }
  }
  scanned.unterminated = inside;
  return scanned;
}

TEST_F(CDBAccountTest, WhereClausesQuoteEveryValueSafely) {
  CDBAccount account(BString(L"1234"), BString(L"12345678"), BString(L"EUR"));
  account.m_lKtoID = 17;
  EXPECT_EQ(Text(account.GetSelectStatement(eREQ_KTOID)), L"KtoID=17");
  EXPECT_EQ(Text(account.GetSelectStatement(eREQ_KTONR_BLZ)),
            L"szKtoNummer='1234' AND  szBlz='12345678'");
  EXPECT_EQ(Text(account.GetSelectStatement(eREQ_KTONR_BLZ_CURRENCY)),
            L"szKtoNummer='1234' AND  szBlz='12345678' AND szCurrency='EUR'");
  account.m_lKtoID = -1;
  EXPECT_EQ(Text(account.GetSelectStatement(eREQ_KTOID)), L"KtoID=-1");
  EXPECT_TRUE(account.GetSelectStatement(static_cast<eACCOUNT_REQUEST>(3)).IsNothing());
  EXPECT_TRUE(account.GetSelectStatement(static_cast<eACCOUNT_REQUEST>(-1)).IsNothing());

  const std::wstring hostile = L"1' OR '1'='1";
  CDBAccount attacker(BString(hostile.c_str()), BString(L"x'';--"), BString(L"M\u00fcnze"));
  const std::wstring clause = Text(attacker.GetSelectStatement(eREQ_KTONR_BLZ_CURRENCY));
  EXPECT_EQ(clause,
            L"szKtoNummer='1'' OR ''1''=''1' AND  szBlz='x'''';--' AND szCurrency='M\u00fcnze'");
  const ScannedClause scanned = Scan(clause);
  EXPECT_EQ(scanned.skeleton, L"szKtoNummer='' AND  szBlz='' AND szCurrency=''");
  EXPECT_EQ(scanned.literals, (std::vector<std::wstring>{hostile, L"x'';--", L"M\u00fcnze"}));
  EXPECT_FALSE(scanned.unterminated);
}

// The field's BSTR as it is, null included.
const wchar_t* Raw(const BString& text) {
  return text.IsNothing() ? nullptr : text.ByVal();
}

// Without apostrophes to double, a clause is its format with the values
// inserted by the wvsprintf rules: that formatter is the reference.
TEST_F(CDBAccountTest, WhereClausesInsertValuesAsTheFormatterDoes) {
  wchar_t* with_nul = SysAllocStringLen(L"12\0 34", 5);
  const BString values[] = {BString(),
                            BString(L""),
                            BString(L"1234"),
                            BString(L"M\u00fcnze"),
                            BString(L"\u20ac \u0416"),
                            BString(ddCOM::IsBSTR(with_nul))};
  SysFreeString(with_nul);
  for (const BString& number : values) {
    for (const BString& bank_code : values) {
      CDBAccount account(number, bank_code, values[2]);
      account.m_bstrCurrency = number;
      BString expected;
      expected.AppendFormat("szKtoNummer='%ws' AND  szBlz='%ws' AND szCurrency='%ws'", Raw(number),
                            Raw(bank_code), Raw(number));
      EXPECT_EQ(Text(account.GetSelectStatement(eREQ_KTONR_BLZ_CURRENCY)), Text(expected));
      expected.Empty();
      expected.AppendFormat("szKtoNummer='%ws' AND  szBlz='%ws'", Raw(number), Raw(bank_code));
      EXPECT_EQ(Text(account.GetSelectStatement(eREQ_KTONR_BLZ)), Text(expected));
    }
  }
  // A null field prints as the formatter prints a null text.
  EXPECT_EQ(Text(CDBAccount().GetSelectStatement(eREQ_KTONR_BLZ)),
            L"szKtoNummer='(null)' AND  szBlz='(null)'");
}

TEST_F(CDBAccountTest, OverlongClausesAreRefusedWhole) {
  // szKtoNummer='<number>' AND  szBlz='' takes 28 characters besides the
  // number, so a number of 995 characters gives exactly 1023; a doubled
  // apostrophe counts twice.
  const std::wstring fits(995, L'7');
  CDBAccount at_limit(BString(fits.c_str()), BString(L""), BString(L"EUR"));
  EXPECT_EQ(Text(at_limit.GetSelectStatement(eREQ_KTONR_BLZ)).size(), 1023u);

  const std::wstring number = std::wstring(994, L'a') + L"'";
  CDBAccount doubled(BString(number.c_str()), BString(L""), BString(L"EUR"));
  EXPECT_TRUE(Text(doubled.GetSelectStatement(eREQ_KTONR_BLZ)).empty());

  const std::wstring plain(1100, L'7');
  CDBAccount long_number(BString(plain.c_str()), BString(L"1"), BString(L"EUR"));
  long_number.m_lKtoID = 5;
  EXPECT_TRUE(Text(long_number.GetSelectStatement(eREQ_KTONR_BLZ_CURRENCY)).empty());
  EXPECT_EQ(Text(long_number.GetSelectStatement(eREQ_KTOID)), L"KtoID=5")
      << "the key clause does not depend on the values";
}

TEST_F(CDBAccountTest, ConstructionCopyingAndClearing) {
  wchar_t* number = SysAllocStringLen(
      L"12\0"
      L"34",
      5);
  CDBAccount from_bstrs(number, nullptr, nullptr);
  SysFreeString(number);
  EXPECT_EQ(from_bstrs.m_bstrNummer.Length(), 5u) << "BSTR arguments keep their full length";
  EXPECT_TRUE(from_bstrs.m_bstrBLZ.IsNothing());
  EXPECT_TRUE(from_bstrs.m_bstrCurrency.IsNothing()) << "a null currency gives no EUR";

  CDBAccount original = FullRecord();
  CDBAccount copy(original);
  ExpectSameFields(copy, original);
  EXPECT_NE(copy.m_bstrName.ByVal(), original.m_bstrName.ByVal()) << "texts are new copies";
  CDBAccount& same = copy;
  copy = same;
  ExpectSameFields(copy, original);

  copy.Clear();
  EXPECT_EQ(copy.m_dtLastDownload.ByVal(), original.m_dtLastDownload.ByVal());
  CDBAccount initial;
  initial.m_dtLastDownload = copy.m_dtLastDownload;
  ExpectSameFields(copy, initial);
  EXPECT_EQ(CDBAccount().m_dtLastDownload.ByVal(), 0.0);

  ebank::platform::FailBstrAllocationsForTesting(1);
  EXPECT_EQ(DdComErrorOf([&] { CDBAccount failed(original); }), E_OUTOFMEMORY);
  ebank::platform::FailBstrAllocationsForTesting(0);
}

}  // namespace
