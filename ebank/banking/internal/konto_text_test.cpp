// The direct KONTO writer behind CDBAccount::KontoToXmlbStr, checked against
// the DOM writer it stands in for.
#include <cstdint>
#include <string>

#include "ebank/banking/cdb_account.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gtest/gtest.h"

namespace {

using ddXML::testing::Text;
using BString = CDBAccount::BString;

class KontoTextTest : public ddXML::testing::XmlTest {
 protected:
  // The text the DOM writer gives for `account`.
  static std::wstring DomText(CDBAccount& account) {
    ddXML::CXmlClass doc;
    account.KontoToXml(doc);
    return Text(doc.getXml());
  }

  static std::wstring DirectText(CDBAccount& account) {
    return static_cast<const wchar_t*>(account.KontoToXmlbStr());
  }
};

TEST_F(KontoTextTest, WritesWhatTheDomWriterWrites) {
  CDBAccount full(BString(L"00'12<34>"), BString(L"5001&0517"), BString(L"DEM"));
  full.m_lKtoID = INT32_MIN;
  full.m_lFkKeyDown = INT32_MAX;
  full.m_lOnline = 0;
  full.m_bstrBankName = L"Sparkasse K\u00f6ln & Bonn";
  full.m_bstrBezeichnung = L"Girokonto <privat> \"Gro\u00df\"";
  full.m_bstrName = L"\t J\u00fcrgen\nM\u00fcller \u20ac \u4e2d\ufffd ";
  full.m_bstrStreet = L"]]> &amp; &#13;";
  full.m_dtLastDownload.SetDate(2024, 2, 29);
  CDBAccount before_1900(BString(L"1"), BString(L"2"), BString(L"EUR"));
  before_1900.m_dtLastDownload = -700000.75;  // year 83: no calendar date
  CDBAccount ancient(BString(L"1"), BString(L"2"), BString(L"EUR"));
  ancient.m_dtLastDownload = -657434.0;  // 1 January 100
  wchar_t* number_with_nul = SysAllocStringLen(L"12\0 34", 5);
  CDBAccount cut(number_with_nul, nullptr, nullptr);  // written up to the NUL
  SysFreeString(number_with_nul);

  CDBAccount fresh;
  for (CDBAccount* account : {&full, &before_1900, &ancient, &cut, &fresh}) {
    EXPECT_EQ(DirectText(*account), DomText(*account));
  }
  EXPECT_NE(DirectText(full).find(L"<NAMEEX/>"), std::wstring::npos) << "empty texts self-close";
}

// Carriage returns become references; control characters, surrogates and
// U+FFFE become '?' in both writers.
TEST_F(KontoTextTest, CharactersThatNeedMoreThanEscapingWriteAsTheDomWrites) {
  for (const std::wstring& city :
       {std::wstring(L"a\rb"), std::wstring(L"\x01"), std::wstring(1, wchar_t{0xD800}),
        std::wstring(L"\U0001F600"), std::wstring(1, wchar_t{0xFFFE})}) {
    CDBAccount account(BString(L"1234"), BString(L"50010517"), BString(L"EUR"));
    account.m_bstrCity = city.c_str();
    EXPECT_EQ(DirectText(account), DomText(account));
  }
  CDBAccount control(BString(L"1\x01"), BString(L"2"), BString(L"EUR"));
  EXPECT_NE(DirectText(control).find(L"<NUMMER>1?</NUMMER>"), std::wstring::npos);
}

}  // namespace
