#include "ebank/banking/account_info.h"

#include <string>

#include "ebank/banking/cdb_account.h"
#include "ebank/banking/ebank_xml.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gtest/gtest.h"

namespace {

using ddXML::CXmlClass;
using ddXML::testing::DdComErrorOf;
using ddXML::testing::Text;
using BString = Account_Info::BString;

class AccountInfoTest : public ddXML::testing::XmlTest {
 protected:
  // Parses `xml` and reads its root element into a fresh object.
  static Account_Info Parsed(const wchar_t* xml) {
    CXmlClass doc(xml);
    return Account_Info(IXMLDOMNodePtr(doc.getDocument()->GetdocumentElement()));
  }

  static CDBAccount Account(const wchar_t* contact_type) {
    CDBAccount account(BString(L"1234"), BString(L"12345678"), BString(L"EUR"));
    account.m_bstrContactType = contact_type;
    return account;
  }
};

TEST_F(AccountInfoTest, ParsesTheHbciTemplate) {
  CXmlClass doc(ovEBankXML::EBANK_HBCI_ACCOUNT);
  const Account_Info info(IXMLDOMNodePtr(doc.getDocument()->GetdocumentElement()));
  EXPECT_EQ(Text(info.GetProtocol()), L"HBCI");
  EXPECT_TRUE(info.IsHBCI());
  EXPECT_EQ(Text(info.GetCurrency()), L"EUR");
  EXPECT_EQ(info.m_lCountry, 280);
  EXPECT_EQ(info.GetDBKtoID(), -1);
  EXPECT_EQ(info.m_lHbciVersion, 0);
  for (const BString* text :
       {&info.GetName(), &info.GetContact(), &info.GetKNR(), &info.GetBLZ(), &info.GetBankName(),
        &info.GetAccountName(), &info.GetAccountHolder()}) {
    EXPECT_TRUE(text->IsEmpty());
  }
  const std::wstring xml = Text(info.GetXML());
  EXPECT_EQ(xml.rfind(L"<ACCOUNT_INFO TYPE=\"HBCI\">", 0), 0u) << "the element, not a document";
  EXPECT_NE(xml.find(L"<CUSTOMERID/>"), std::wstring::npos) << "unread elements stay in the text";
}

TEST_F(AccountInfoTest, ReadsEveryFieldAndTheHbciVersionOnlyForHbci) {
  const Account_Info info = Parsed(
      L"<ACCOUNT_INFO TYPE='hbci'><NAME>Privat</NAME><CONTACT>Hausbank</CONTACT>"
      L"<HBCI_VERSION>300</HBCI_VERSION><ACCOUNT><ACCOUNTID NAME='Giro' CURRENCY='DEM'>0001234"
      L"</ACCOUNTID><FI NAME='Sparkasse K\u00f6ln' COUNTRY='280'>37050198</FI>"
      L"<ACCOUNTHOLDER>J\u00fcrgen \u0141uk</ACCOUNTHOLDER><FK_ID>42</FK_ID></ACCOUNT>"
      L"</ACCOUNT_INFO>");
  EXPECT_EQ(Text(info.GetName()), L"Privat");
  EXPECT_EQ(Text(info.GetContact()), L"Hausbank");
  EXPECT_EQ(Text(info.GetProtocol()), L"hbci");
  EXPECT_EQ(info.m_lHbciVersion, 300);
  EXPECT_EQ(Text(info.GetKNR()), L"0001234");
  EXPECT_EQ(Text(info.GetAccountName()), L"Giro");
  EXPECT_EQ(Text(info.GetCurrency()), L"DEM");
  EXPECT_EQ(Text(info.GetBLZ()), L"37050198");
  EXPECT_EQ(Text(info.GetBankName()), L"Sparkasse K\u00f6ln");
  EXPECT_EQ(info.m_lCountry, 280);
  EXPECT_EQ(Text(info.GetAccountHolder()), L"J\u00fcrgen ?uk") << "narrowed to the code page";
  EXPECT_EQ(info.GetDBKtoID(), 42);
  EXPECT_NE(Text(info.GetXML()).find(L"J\u00fcrgen ?uk"), std::wstring::npos);

  const Account_Info btx = Parsed(
      L"<ACCOUNT_INFO TYPE='BTX'><HBCI_VERSION>300</HBCI_VERSION>"
      L"<ACCOUNT><ACCOUNTID>1</ACCOUNTID></ACCOUNT></ACCOUNT_INFO>");
  EXPECT_TRUE(btx.IsBTX());
  EXPECT_EQ(btx.m_lHbciVersion, 0);
  EXPECT_TRUE(btx.GetCurrency().IsEmpty()) << "a missing CURRENCY overwrites the EUR default";

  Account_Info reparsed = info;
  CXmlClass doc(L"<ACCOUNT_INFO TYPE='INET'/>");
  reparsed.ParseAccountInfo(IXMLDOMNodePtr(doc.getDocument()->GetdocumentElement()));
  EXPECT_TRUE(reparsed.IsScrape());
  EXPECT_EQ(reparsed.m_lHbciVersion, 300) << "kept from before for a non-HBCI protocol";
  EXPECT_TRUE(reparsed.GetName().IsEmpty());
  EXPECT_EQ(reparsed.GetDBKtoID(), 0);
}

TEST_F(AccountInfoTest, ANullNodeRaisesInvalidArgumentAndKeepsTheFields) {
  Account_Info info;
  info.SetDBKtoID(7);
  EXPECT_EQ(DdComErrorOf([&] { info.ParseAccountInfo(IXMLDOMNodePtr{}); }), E_INVALIDARG);
  EXPECT_EQ(info.GetDBKtoID(), 7);
  EXPECT_EQ(Text(info.GetCurrency()), L"EUR");
  EXPECT_FALSE(info.IsAccountFound(nullptr));
}

TEST_F(AccountInfoTest, KeyMatchComparesNumbersByTheirLeadingDigits) {
  Account_Info info(Account(L"HBCI"));
  EXPECT_TRUE(info.IsAccountFound(BString(L"12345678"), BString(L"0001234"), BString(L"eur")));
  EXPECT_TRUE(info.IsAccountFound(BString(L"12345678"), BString(L"1234-5"), BString(L"EUR")));
  EXPECT_TRUE(info.IsAccountFound(BString(L"12345678"), BString(L" +1234"), BString(L"EUR")));
  EXPECT_FALSE(info.IsAccountFound(BString(L"12345679"), BString(L"1234"), BString(L"EUR")));
  EXPECT_FALSE(info.IsAccountFound(BString(L"12345678"), BString(L"1234"), BString(L"DEM")));
  EXPECT_FALSE(info.IsAccountFound(BString(L"12345678"), BString(L"12345"), BString(L"EUR")));

  Account_Info no_number;
  no_number.m_bstrBLZ = L"1";
  EXPECT_TRUE(no_number.IsAccountFound(BString(L"1"), BString(), BString(L"EUR")));
  EXPECT_TRUE(no_number.IsAccountFound(BString(L"1"), BString(L"abc"), BString(L"EUR")))
      << "texts without digits both give 0";
}

TEST_F(AccountInfoTest, BuiltFromAnAccountTakesItsKeysAndFindsIt) {
  CDBAccount account = Account(L"btx");
  account.m_lKtoID = 33;
  account.m_bstrBankName = L"Volksbank";
  account.m_bstrBezeichnung = L"Giro";
  account.m_bstrName = L"Inhaber";
  account.m_bstrContactName = L"Kontakt";
  const Account_Info info(account);
  EXPECT_EQ(Text(info.GetProtocol()), L"BTX");
  EXPECT_EQ(Text(info.GetKNR()), L"1234");
  EXPECT_EQ(Text(info.GetBLZ()), L"12345678");
  EXPECT_EQ(Text(info.GetCurrency()), L"EUR");
  EXPECT_EQ(Text(info.GetBankName()), L"Volksbank");
  EXPECT_EQ(Text(info.GetAccountName()), L"Giro");
  EXPECT_EQ(Text(info.GetAccountHolder()), L"Inhaber");
  EXPECT_EQ(info.GetDBKtoID(), 33);
  EXPECT_TRUE(info.GetContact().IsEmpty());
  EXPECT_TRUE(info.GetXML().IsEmpty());

  CDBAccount no_currency(BString(L"1"), BString(L"2"), BString());
  EXPECT_TRUE(Account_Info(no_currency).GetCurrency().IsNothing()) << "no EUR default";

  for (const wchar_t* type : {L"HBCI", L"hbci", L"BTX", L"INET", L"", L"FAX"}) {
    const CDBAccount own = Account(type);
    EXPECT_TRUE(Account_Info(own).IsAccountFound(&own)) << type;
  }
}

TEST_F(AccountInfoTest, ProtocolMatrix) {
  const wchar_t* const kTypes[] = {L"HBCI", L"BTX", L"INET", L"", L"FAX"};
  // Rows: the object's protocol; columns: the account's contact type.
  constexpr bool kFound[5][5] = {
      {true, false, false, true, true},   // HBCI
      {false, true, false, true, true},   // BTX
      {false, false, true, true, true},   // INET
      {false, false, false, true, true},  // empty
      {false, false, false, true, true},  // unknown word
  };
  for (int row = 0; row < 5; ++row) {
    Account_Info info(Account(L""));
    info.m_bstrProtocol = kTypes[row];
    for (int column = 0; column < 5; ++column) {
      const CDBAccount account = Account(kTypes[column]);
      EXPECT_EQ(info.IsAccountFound(&account), kFound[row][column])
          << "protocol '" << testing::PrintToString(std::wstring(kTypes[row]))
          << "', contact type '" << testing::PrintToString(std::wstring(kTypes[column])) << "'";
    }
  }
}

TEST_F(AccountInfoTest, AnAccountDescriptionMustMatchTheAccountName) {
  CDBAccount account = Account(L"HBCI");
  Account_Info info(account);
  info.m_bstrAccountName = L"giro";
  EXPECT_TRUE(info.IsAccountFound(&account)) << "an empty description matches any name";
  for (const wchar_t* description : {L"giro", L"GIRO", L"Giro"}) {
    account.m_bstrBezeichnung = description;
    EXPECT_TRUE(info.IsAccountFound(&account)) << description;
  }
  account.m_bstrBezeichnung = L"Tagesgeld";
  EXPECT_FALSE(info.IsAccountFound(&account));
  info.m_bstrAccountName.Empty();
  EXPECT_FALSE(info.IsAccountFound(&account));
}

}  // namespace
