#include "ebank/banking/internal/konto_scan.h"

#include <string>
#include <vector>

#include "ebank/banking/cdb_account.h"
#include "ebank/banking/testing/konto_variants.h"
#include "ebank/core/exception.h"
#include "ebank/platform/com/com_error.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gtest/gtest.h"

namespace ebank::banking {
namespace {

using testing::KontoVariants;
using testing::RichKonto;

// The index of a field in kKontoFields.
std::size_t FieldIndex(std::wstring_view name) {
  std::size_t i = 0;
  while (name != kKontoFields[i].element) ++i;
  return i;
}

TEST(KontoScanTest, ReadsTheFirstKontoOfPlainTextsWithReferencesResolved) {
  KontoScan scan;
  ASSERT_TRUE(scan.Scan(RichKonto(L"0042")));
  ASSERT_TRUE(scan.HasKonto());
  EXPECT_EQ(scan.Field(FieldIndex(L"NUMMER")), L"0042");
  EXPECT_EQ(scan.Field(FieldIndex(L"FK_KEY_UP")), L" 3x");
  EXPECT_EQ(scan.Field(FieldIndex(L"BEZEICHNUNG")), L"Giro & Spar \u20ac \r");
  EXPECT_EQ(scan.Field(FieldIndex(L"CONTACTNAME")), L"  Haus bank\t");  // untrimmed
  EXPECT_EQ(scan.Field(FieldIndex(L"NAME")), L"J\u00fcrgen <M> \"'");
  EXPECT_EQ(scan.Field(FieldIndex(L"BANKNAME")), L"");
  EXPECT_EQ(scan.DateAttribute(0), L"2024");
  EXPECT_EQ(scan.DateAttribute(1), L"02");
  EXPECT_EQ(scan.DateAttribute(2), L"29");

  // The first KONTO of a list, the first element of each name, nothing of
  // nested or later elements; a list without KONTO has none to read.
  ASSERT_TRUE(scan.Scan(
      L"<KONTEN><KONTO><NUMMER>1</NUMMER><NUMMER>2</NUMMER><X><BLZ>3</BLZ></X>"
      L"<DATE_LASTDOWNLOAD><X YEAR='1'/><DATE MONTH='5'/><DATE DAY='6'/></DATE_LASTDOWNLOAD>"
      L"</KONTO><KONTO><BLZ>4</BLZ></KONTO></KONTEN> \n"));
  EXPECT_EQ(scan.Field(FieldIndex(L"NUMMER")), L"1");
  EXPECT_EQ(scan.Field(FieldIndex(L"BLZ")), L"");
  EXPECT_EQ(scan.DateAttribute(0), L"");
  EXPECT_EQ(scan.DateAttribute(1), L"5");
  EXPECT_EQ(scan.DateAttribute(2), L"");
  for (const wchar_t* other : {L"<KONTEN/>", L"<KONTEN><X><KONTO/></X></KONTEN>", L"<A/>"}) {
    EXPECT_TRUE(scan.Scan(other)) << other;
    EXPECT_FALSE(scan.HasKonto()) << other;
  }
}

TEST(KontoScanTest, DeclinesEveryTextADomWouldReadDifferentlyOrRefuse) {
  const std::wstring deep = L"<KONTO><A><B><C><D><E><F><G><H/></G></F></E></D></C></B></A></KONTO>";
  for (const std::wstring& text :
       std::vector<std::wstring>{L"",
                                 L" <KONTO/>",
                                 L"\uFEFF<KONTO/>",
                                 L"<?xml version='1.0'?><KONTO/>",
                                 L"<!DOCTYPE KONTO><KONTO/>",
                                 L"<KONTO><!-- c --></KONTO>",
                                 L"<KONTO><?p?></KONTO>",
                                 L"<KONTO><NAME><![CDATA[x]]></NAME></KONTO>",
                                 L"<KONTO xmlns='u'/>",
                                 L"<KONTO xml:space='preserve'/>",
                                 L"<a:KONTO/>",
                                 L"<KONTO><NAME a='1'/></KONTO>",
                                 L"<KONTO><NAME>a\rb</NAME></KONTO>",
                                 L"<KONTO><NAME>a<B/></NAME></KONTO>",
                                 L"<KONTO><DATE_LASTDOWNLOAD/><DATE_LASTDOWNLOAD/></KONTO>",
                                 L"<KONTO><DATE YEAR='1\t'/></KONTO>",
                                 L"<KONTO><DATE YEAR='1' YEAR='2'/></KONTO>",
                                 L"<KONTO><DATE YEAR='1'DAY='2'/></KONTO>",
                                 L"<KONTO><DATE YEAR='<'/></KONTO>",
                                 L"<KONTO>a]]>b</KONTO>",
                                 L"<KONTO>&nbsp;</KONTO>",
                                 L"<KONTO>&#0;</KONTO>",
                                 L"<KONTO>&#xD800;</KONTO>",
                                 L"<KONTO>&#123456789;</KONTO>",
                                 L"<KONTO>&#;</KONTO>",
                                 L"<KONTO>&amp</KONTO>",
                                 L"<KONTO>\x01</KONTO>",
                                 L"<KONTO>\xFFFE</KONTO>",
                                 std::wstring(L"<KONTO>\0</KONTO>", 16),
                                 L"<KONTO>",
                                 L"<KONTO></KONT>",
                                 L"<KONTO></KONTO><KONTO/>",
                                 L"<KONTO/>x",
                                 L"<KONTO/ >",
                                 deep}) {
    KontoScan scan;
    EXPECT_FALSE(scan.Scan(text)) << text;
  }
}

class KontoScanRecordTest : public ddXML::testing::XmlTest {};

// The record `read` makes of a copy of `before` (its KONTO text and date),
// or the HRESULT of the error it raises.
template <typename Read>
std::wstring Outcome(const CDBAccount& before, Read read) {
  CDBAccount account = before;
  try {
    read(account);
  } catch (const ddCOM::Exception& error) {
    return L"error " + std::to_wstring(error.HResult());
  } catch (const _com_error& error) {
    return L"DOM error " + std::to_wstring(error.Error());
  }
  return static_cast<const wchar_t*>(account.KontoToXmlbStr()) +
         std::to_wstring(account.m_dtLastDownload.ByVal());
}

// What XmlToKonto reads from `text` through a document.
void ReadThroughDocument(const std::wstring& text, CDBAccount& account) {
  const ddXML::CXmlClass doc(text.c_str());
  if (doc.isNodeFound(L"/KONTEN")) {
    account.XmlNodeToKonto(doc.getNode(L"/KONTEN/KONTO"));
  } else if (IXMLDOMNodePtr konto = doc.getNode(L"/KONTO"); konto != nullptr) {
    account.XmlNodeToKonto(konto);
  }
}

// The oracle: every text, plain or mutated, reads to the same record (or the
// same error) whether XmlToKonto scans it or the DOM reads it.
TEST_F(KontoScanRecordTest, XmlToKontoReadsEveryTextAsTheDocumentDoes) {
  CDBAccount before;
  before.m_bstrNummer = L"before";
  before.m_lCityCode = 77;
  int scanned = 0;
  for (const std::wstring& text : KontoVariants(4000)) {
    KontoScan scan;
    scanned += scan.Scan(text.c_str()) ? 1 : 0;
    ASSERT_EQ(
        Outcome(before, [&](CDBAccount& a) { a.XmlToKonto(const_cast<wchar_t*>(text.c_str())); }),
        Outcome(before, [&](CDBAccount& a) { ReadThroughDocument(text, a); }))
        << text;
  }
  // Enough of the variants stay plain for the comparison to test the scan.
  EXPECT_GT(scanned, 1000);
}

}  // namespace
}  // namespace ebank::banking
