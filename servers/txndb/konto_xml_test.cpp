#include "servers/txndb/konto_xml.h"

#include <gtest/gtest.h>
#include <libxml/chvalid.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ebank/banking/internal/konto_scan.h"
#include "ebank/banking/testing/konto_variants.h"
#include "servers/txndb/utf8_text.h"

namespace ebank::txndb {
namespace {

// The KontenWriter text of `record`, to compare whole records.
std::string Written(const KontoRecord& record) {
  std::wstring xml;
  KontenWriter writer(xml);
  writer.Add(record);
  return WideToUtf8(writer.Finish());
}

// Reads `xml` (UTF-8) as the server reads a BSTR, and checks that the
// document reader alone reads it alike.
KontoRecord Read(const std::string& xml) {
  KontoRecord record, through_document;
  std::string error;
  EXPECT_TRUE(ReadKonto(Utf8ToWide(xml), record, error)) << error;
  EXPECT_TRUE(ReadKontoDocument(xml, through_document, error)) << error;
  EXPECT_EQ(Written(record), Written(through_document));
  return record;
}

TEST(KontoXmlTest, ReadsEveryFieldOfAKontoElement) {
  const KontoRecord r = Read(
      "<KONTO><ID>17</ID><FK_KEY_DOWN>-1</FK_KEY_DOWN><FK_KEY_UP>3</FK_KEY_UP>"
      "<NUMMER>007</NUMMER><BLZ>12345678</BLZ><CURRENCY>DEM</CURRENCY><ONLINE>1</ONLINE>"
      "<BEZEICHNUNG>Giro &amp; Spar</BEZEICHNUNG><BANKNAME>Bank</BANKNAME>"
      "<CONTACTNAME>Hausbank</CONTACTNAME><CONTACTTYPE>HBCI</CONTACTTYPE>"
      "<NAME>O&apos;Neil</NAME><NAMEEX>Zusatz</NAMEEX><CITY>K\xC3\xB6ln</CITY>"
      "<STREET>Weg 1</STREET><CITYCODE>50667</CITYCODE><COUNTRYCODE>280</COUNTRYCODE>"
      "<DATE_LASTDOWNLOAD><DATE YEAR='2023' MONTH='04' DAY='09'/></DATE_LASTDOWNLOAD></KONTO>");
  EXPECT_EQ(r.id, 17);
  EXPECT_EQ(r.fk_key_down, -1);
  EXPECT_EQ(r.fk_key_up, 3);
  EXPECT_EQ(r.nummer, "007");
  EXPECT_EQ(r.blz, "12345678");
  EXPECT_EQ(r.currency, "DEM");
  EXPECT_EQ(r.online, 1);
  EXPECT_EQ(r.bezeichnung, "Giro & Spar");
  EXPECT_EQ(r.bank_name, "Bank");
  EXPECT_EQ(r.contact_name, "Hausbank");
  EXPECT_EQ(r.contact_type, "HBCI");
  EXPECT_EQ(r.name, "O'Neil");
  EXPECT_EQ(r.name_ex, "Zusatz");
  EXPECT_EQ(r.city, "K\xC3\xB6ln");
  EXPECT_EQ(r.street, "Weg 1");
  EXPECT_EQ(r.city_code, 50667);
  EXPECT_EQ(r.country_code, 280);
  EXPECT_EQ(r.download_year, 2023);
  EXPECT_EQ(r.download_month, 4);
  EXPECT_EQ(r.download_day, 9);
}

TEST(KontoXmlTest, MissingAndOddElementsGiveTheReaderDefaults) {
  const KontoRecord r = Read(
      "<KONTEN><KONTO><NUMMER>1</NUMMER><CITYCODE> 42abc</CITYCODE><ONLINE>x7</ONLINE>"
      "<ID>99999999999</ID><FK_KEY_UP>-99999999999</FK_KEY_UP>"
      "<DATE_LASTDOWNLOAD><DATE YEAR='2023' MONTH='02' DAY='29'/></DATE_LASTDOWNLOAD></KONTO>"
      "<KONTO><NUMMER>2</NUMMER></KONTO></KONTEN>");
  EXPECT_EQ(r.nummer, "1");  // the first KONTO of a KONTEN document
  EXPECT_EQ(r.blz, "");
  EXPECT_EQ(r.currency, "EUR");
  EXPECT_EQ(r.city_code, 42);
  EXPECT_EQ(r.online, 0);
  EXPECT_EQ(r.fk_key_down, 0);
  EXPECT_EQ(r.id, INT32_MAX);
  EXPECT_EQ(r.fk_key_up, INT32_MIN);
  // 29 February 2023 is no date: the empty date stays.
  EXPECT_EQ(r.download_year, 1899);
  EXPECT_EQ(r.download_month, 12);
  EXPECT_EQ(r.download_day, 30);
}

TEST(KontoXmlTest, RefusesTextsThatAreNoKontoDocument) {
  for (const std::string& xml : std::vector<std::string>{
           "", "<KONTO>", "<KONTO><NUMMER>1</KONTO>", "<KONTEN/>", "<ACCOUNT/>", "KONTO",
           "<!DOCTYPE KONTO [<!ENTITY a 'aaaa'><!ENTITY b '&a;&a;&a;&a;'>]><KONTO>&b;</KONTO>",
           "<KONTO><NUMMER>\x01</NUMMER></KONTO>", std::string("<KONTO>\0</KONTO>", 16)}) {
    KontoRecord record;
    record.nummer = "kept";
    std::string error;
    EXPECT_FALSE(ReadKonto(Utf8ToWide(xml), record, error)) << xml;
    EXPECT_FALSE(error.empty()) << xml;
    EXPECT_EQ(record.nummer, "kept") << xml;
  }
}

// The oracle: every text, plain or mutated, reads to the same record or the
// same error whether the server scans it or reads it through libxml2.
TEST(KontoXmlTest, ScannedTextsReadAsTheDocumentReaderReadsThem) {
  int scanned = 0;
  for (const std::wstring& text : banking::testing::KontoVariants(4000)) {
    KontoRecord record, through_document;
    std::string error, document_error;
    const bool read = ReadKonto(text, record, error);
    ASSERT_EQ(read, ReadKontoDocument(WideToUtf8(text), through_document, document_error))
        << WideToUtf8(text);
    ASSERT_EQ(error, document_error) << WideToUtf8(text);
    if (read) {
      ASSERT_EQ(Written(record), Written(through_document)) << WideToUtf8(text);
    }
    scanned += banking::KontoScan().Scan(text) ? 1 : 0;
  }
  EXPECT_GT(scanned, 1000);  // the comparison tests the scan, not only libxml2
}

TEST(KontoXmlTest, WrittenKontenReadsBackWithMarkupAndLineBreaks) {
  KontoRecord record;
  record.id = 5;
  record.nummer = "<1&2>";
  record.name = "a\r\nb\tc";
  record.city =
      "bad\x01"
      "char";
  record.download_year = 987;
  record.download_month = 5;
  record.download_day = 7;
  std::wstring buffer = L"left from an earlier list";
  KontenWriter writer(buffer);
  writer.Add(record);
  writer.Add(KontoRecord{});
  const std::string xml = WideToUtf8(writer.Finish());

  EXPECT_NE(xml.find("<DATE YEAR=\"987\" MONTH=\"05\" DAY=\"07\"/>"), std::string::npos) << xml;
  EXPECT_EQ(xml.rfind("<KONTEN><KONTO><ID>5</ID><FK_KEY_DOWN>-1</FK_KEY_DOWN>", 0), 0u) << xml;
  const KontoRecord read = Read(xml);
  EXPECT_EQ(read.id, 5);
  EXPECT_EQ(read.nummer, "<1&2>");
  EXPECT_EQ(read.name, "a\r\nb\tc");
  EXPECT_EQ(read.city, "bad?char");
  EXPECT_EQ(read.currency, "EUR");

  EXPECT_EQ(KontenWriter(buffer).Finish(), L"<KONTEN></KONTEN>");
}

// Numbers are written as the C library's "%d" and dates as its "%02d" would
// write them, negative and extreme values included.
TEST(KontoXmlTest, NumbersAreWrittenAsPrintfWritesThem) {
  for (const int32_t value : {INT32_MIN, -100, -5, -1, 0, 1, 9, 10, 99, 100, 2024, INT32_MAX}) {
    KontoRecord record;
    record.id = record.city_code = value;
    record.download_year = record.download_month = record.download_day = value;
    char number[16], date[96];
    std::snprintf(number, sizeof number, "%d", value);
    std::snprintf(date, sizeof date, "<DATE YEAR=\"%d\" MONTH=\"%02d\" DAY=\"%02d\"/>", value,
                  value, value);
    const std::string xml = Written(record);
    EXPECT_NE(xml.find("<ID>" + std::string(number) + "</ID>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<CITYCODE>" + std::string(number) + "</CITYCODE>"), std::string::npos);
    EXPECT_NE(xml.find(date), std::string::npos) << xml;
  }
}

// A record whose name holds `text`, written and read back.
std::string NameReadBack(const std::string& text) {
  KontoRecord record;
  record.name = text;
  return Read(Written(record)).name;
}

// Every code point UTF-8 can carry, 4096 to a record: each reads back as
// itself, or as '?' when libxml2 (as XML 1.0) has no such character.
TEST(KontoXmlTest, EveryCodePointReadsBackAsItselfOrTheMark) {
  constexpr char32_t kChunk = 4096;
  for (char32_t first = 0; first <= 0x10FFFF; first += kChunk) {
    std::string text;
    std::string stored;
    for (char32_t c = first; c < first + kChunk && c <= 0x10FFFF; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;  // no UTF-8 form
      AppendUtf8(text, c);
      if (xmlIsCharQ(c)) {
        AppendUtf8(stored, c);
      } else {
        stored += '?';
      }
    }
    EXPECT_TRUE(NameReadBack(text) == stored) << "from " << uint32_t{first};
    if (HasFailure()) break;
  }
}

TEST(KontoXmlTest, MalformedUtf8ReadsBackAsReplacementCharacters) {
  const std::string kReplacement = "\xEF\xBF\xBD";
  // An overlong NUL, an encoded surrogate, a five-byte form, a lone
  // continuation byte and a sequence cut off at the end: every byte that
  // begins no valid sequence becomes U+FFFD.
  const std::pair<std::string, int> cases[] = {{"\xC0\x80", 2},
                                               {"\xED\xA0\x80", 3},
                                               {"\xF8\x88\x80\x80\x80", 5},
                                               {"\x80", 1},
                                               {"\xE2\x82", 2}};
  for (const auto& [bytes, replaced] : cases) {
    std::string expected = "a";
    for (int i = 0; i < replaced; ++i) expected += kReplacement;
    EXPECT_EQ(NameReadBack("a" + bytes), expected);
  }
}

}  // namespace
}  // namespace ebank::txndb
