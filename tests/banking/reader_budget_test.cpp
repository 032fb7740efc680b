// Account texts of 64 KiB in the shapes that cost a reader most (tens of
// thousands of children, long texts, many records) read through the record
// readers as a component calls them; each must arrive with the right fields.
// The readers are linear, so each takes milliseconds; timings are measured
// outside the tests.
#include <string>

#include "ebank/banking/account_info.h"
#include "ebank/banking/cdb_account.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gtest/gtest.h"

namespace {

using ddXML::CXmlClass;
using ddXML::testing::Text;
using BString = CDBAccount::BString;

constexpr std::size_t kBudget = 64 * 1024;

// `unit` repeated up to `size` characters.
std::wstring Repeated(const std::wstring& unit, std::size_t size = kBudget - 256) {
  std::wstring text;
  while (text.size() + unit.size() <= size) text += unit;
  return text;
}

CDBAccount Konto(std::wstring xml) {
  EXPECT_LE(xml.size(), kBudget);
  CDBAccount account;
  account.XmlToKonto(xml.data());
  return account;
}

Account_Info AccountInfo(const std::wstring& xml) {
  EXPECT_LE(xml.size(), kBudget);
  const CXmlClass doc(xml.c_str());
  return Account_Info(IXMLDOMNodePtr(doc.getDocument()->GetdocumentElement()));
}

class ReaderBudgetTest : public ddXML::testing::XmlTest {};

TEST_F(ReaderBudgetTest, KontoTextsReadTheirFields) {
  const CDBAccount crowded =
      Konto(L"<KONTO>" + Repeated(L"<X/>") + L"<NUMMER>7</NUMMER><ID>3</ID></KONTO>");
  EXPECT_EQ(Text(crowded.m_bstrNummer), L"7");
  EXPECT_EQ(crowded.m_lKtoID, 3);

  const CDBAccount repeated =
      Konto(L"<KONTO><NAME>first</NAME>" + Repeated(L"<NAME>n</NAME>") + L"</KONTO>");
  EXPECT_EQ(Text(repeated.m_bstrName), L"first");

  const std::wstring unit = L"ab<!---->c&#xE4;<![CDATA[<]]>";
  const std::wstring pieces = Repeated(unit);
  const CDBAccount long_text = Konto(L"<KONTO><CITY>" + pieces + L"</CITY></KONTO>");
  EXPECT_EQ(Text(long_text.m_bstrCity), Repeated(L"abc\u00e4<", pieces.size() / unit.size() * 5));

  const CDBAccount dates = Konto(
      L"<KONTO><DATE_LASTDOWNLOAD><DATE YEAR='2024' MONTH='2' DAY='29'/></DATE_LASTDOWNLOAD>" +
      Repeated(L"<DATE_LASTDOWNLOAD><DATE/></DATE_LASTDOWNLOAD>") + L"</KONTO>");
  EXPECT_EQ(dates.m_dtLastDownload.GetSYSTEMTIME().wDay, 29);
}

TEST_F(ReaderBudgetTest, KontenListsReadEveryAccount) {
  const std::wstring unit = L"<KONTO><NUMMER>1</NUMMER><BLZ>50010517</BLZ></KONTO>";
  const std::wstring konten =
      L"<KONTEN><KONTO><NUMMER>first</NUMMER></KONTO>" + Repeated(unit) + L"</KONTEN>";
  EXPECT_EQ(Text(Konto(konten).m_bstrNummer), L"first");

  // The way the wrapper hands a list out and a component reads it.
  const CXmlClass doc(konten.c_str());
  IXMLDOMNodeListPtr list = doc.getNodes(L"KONTO");
  LONG read = 0;
  for (IXMLDOMNodePtr node = list->nextNode(); node != nullptr; node = list->nextNode()) {
    read += CDBAccount(node).m_bstrBLZ == "50010517" ? 1 : 0;
  }
  EXPECT_EQ(read, list->Getlength() - 1);
  EXPECT_GT(read, 1000);
}

TEST_F(ReaderBudgetTest, AccountInfoTextsReadTheirFields) {
  const Account_Info crowded = AccountInfo(
      L"<ACCOUNT_INFO TYPE='HBCI'>" + Repeated(L"<X/>") +
      L"<ACCOUNT><ACCOUNTID NAME='Giro' CURRENCY='EUR'>1234</ACCOUNTID><FI>50010517</FI>"
      L"</ACCOUNT></ACCOUNT_INFO>");
  EXPECT_EQ(Text(crowded.GetKNR()), L"1234");
  EXPECT_EQ(Text(crowded.GetBLZ()), L"50010517");

  const Account_Info accounts = AccountInfo(
      L"<ACCOUNT_INFO TYPE='BTX'><ACCOUNT><ACCOUNTID NAME='first'>1</ACCOUNTID></ACCOUNT>" +
      Repeated(L"<ACCOUNT><ACCOUNTID NAME='x'>2</ACCOUNTID><FI COUNTRY='280'>3</FI></ACCOUNT>") +
      L"</ACCOUNT_INFO>");
  EXPECT_EQ(Text(accounts.GetAccountName()), L"first");
  EXPECT_EQ(Text(accounts.GetBLZ()), L"3");
  EXPECT_GT(accounts.GetXML().Length(), kBudget - 1024) << "the whole element";

  const std::wstring many =
      L"<ALL>" + Repeated(L"<ACCOUNT_INFO TYPE='INET'><NAME>n</NAME></ACCOUNT_INFO>") + L"</ALL>";
  const CXmlClass doc(many.c_str());
  IXMLDOMNodeListPtr infos = doc.getNodes(L"ACCOUNT_INFO");
  LONG scrape = 0;
  for (IXMLDOMNodePtr node = infos->nextNode(); node != nullptr; node = infos->nextNode()) {
    scrape += Account_Info(node).IsScrape() ? 1 : 0;
  }
  EXPECT_EQ(scrape, infos->Getlength());
  EXPECT_GT(scrape, 1000);
}

TEST_F(ReaderBudgetTest, WhereClausesAndGermanNotationOfLargeTexts) {
  const std::wstring number(kBudget, L'\'');
  CDBAccount account(BString(number.c_str()), BString(L"50010517"), BString(L"EUR"));
  EXPECT_TRUE(account.GetSelectStatement(eREQ_KTONR_BLZ_CURRENCY).IsEmpty())
      << "too long for a clause";

  CXmlClass amounts((L"<A>" + Repeated(L"<VALUE PREFIX='+'>1234.5</VALUE>") + L"</A>").c_str());
  const LONG count = amounts.getNrOfNodes(L"VALUE");
  amounts.ValueToGermanNotation();
  EXPECT_EQ(amounts.getNrOfNodes(L"VALUE[text()='1234,50']"), count);
  EXPECT_GT(count, 1000);
}

}  // namespace
