// KONTO texts for tests that hold the KONTO scan against a DOM reading of the
// same text: plain texts as the writers make them, and variants mutated
// toward every form the scan must read alike or decline.
#ifndef EBANK_BANKING_TESTING_KONTO_VARIANTS_H_
#define EBANK_BANKING_TESTING_KONTO_VARIANTS_H_

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace ebank::banking::testing {

// A KONTO with every field, references, non-ASCII text and white space.
inline std::wstring RichKonto(const std::wstring& number) {
  return L"<KONTO><ID>17</ID><FK_KEY_DOWN>-1</FK_KEY_DOWN><FK_KEY_UP> 3x</FK_KEY_UP><NUMMER>" +
         number +
         L"</NUMMER><BLZ>50010517</BLZ><CURRENCY>dem</CURRENCY><ONLINE>1</ONLINE>"
         L"<BEZEICHNUNG>Giro &amp; Spar &#x20AC; &#13;</BEZEICHNUNG><BANKNAME/>"
         L"<CONTACTNAME>  Haus bank\t</CONTACTNAME><CONTACTTYPE>HBCI</CONTACTTYPE>"
         L"<NAME>J\u00fcrgen &lt;M&gt; &quot;&apos;</NAME><NAMEEX></NAMEEX><CITY>K\u00f6ln</CITY>"
         L"<STREET>Weg\n1</STREET><CITYCODE>50667</CITYCODE><COUNTRYCODE>280</COUNTRYCODE>"
         L"<DATE_LASTDOWNLOAD><DATE YEAR=\"2024\" MONTH='02' DAY=\"29\"/></DATE_LASTDOWNLOAD>"
         L"</KONTO>\r\n";
}

// The plain texts first, then `mutations` variants: each takes one of them and
// inserts, deletes or repeats a piece of markup, reproducibly.
inline std::vector<std::wstring> KontoVariants(int mutations) {
  std::vector<std::wstring> texts = {
      RichKonto(L"1234"),
      L"<KONTEN><KONTO><NUMMER>1</NUMMER></KONTO><KONTO><NUMMER>2</NUMMER></KONTO></KONTEN>",
      L"<KONTEN>\n  <KONTO>\n    <BLZ>7</BLZ>\n    <NUMMER>8</NUMMER>\n  </KONTO>\n</KONTEN>",
      L"<KONTEN/>",
      L"<ACCOUNT><NUMMER>1</NUMMER></ACCOUNT>",
      L"<KONTO/>",
      L"<KONTO><NUMMER>1</NUMMER><NUMMER>2</NUMMER><X><NUMMER>3</NUMMER></X></KONTO>",
  };
  // Pieces that keep a text plain where they land inside character data...
  static const std::wstring kPlainPieces[] = {
      L"&amp;",
      L"&#13;",
      L"&#x41;",
      L"&#x10FFFF;",
      L">",
      L" ",
      L"\t",
      L"\n",
      L"\u00e9",
      L"\u20ac",
      L"<X/>",
      L"<X>y</X>",
      L"<NUMMER>9</NUMMER>",
      L"<BLZ/>",
      L"<DATE_LASTDOWNLOAD><DATE YEAR='2001' DAY='3'/></DATE_LASTDOWNLOAD>",
      L"<DATE MONTH='7'/>"};
  // ...and pieces that, most of the time, make it something else.
  static const std::wstring kOtherPieces[] = {L"&#0;",
                                              L"&#xD800;",
                                              L"&#99999999999;",
                                              L"&bogus;",
                                              L"&",
                                              L"<",
                                              L"]]>",
                                              L"\r",
                                              L"\r\n",
                                              L"\x01",
                                              L"\xFFFE",
                                              L"\xD800",
                                              L"<!-- c -->",
                                              L"<![CDATA[ x ]]>",
                                              L"<?pi x?>",
                                              L"<?xml version='1.0'?>",
                                              L"<!DOCTYPE KONTO>",
                                              L"</KONTO>",
                                              L"<KONTO>",
                                              L"<KONTEN>",
                                              L" YEAR='7'",
                                              L" YEAR=\"&#50;0\"",
                                              L" DAY='1\t'",
                                              L" xmlns='u'",
                                              L" xml:space='preserve'",
                                              L" a:b='1'",
                                              L"=",
                                              L"'",
                                              L"\"",
                                              L"<a:b/>",
                                              L"/"};
  const std::size_t plain = texts.size();
  std::mt19937 random(20240229);
  auto pick = [&random](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  for (int i = 0; i < mutations; ++i) {
    std::wstring text = texts[pick(plain)];
    for (std::size_t edits = 1 + pick(2); edits > 0; --edits) {
      const std::size_t at = pick(text.size() + 1);
      switch (pick(6)) {
        case 0:
          text.erase(at, pick(8));
          break;
        case 1:
          text.insert(at, text.substr(at, pick(40)));
          break;
        case 2:
          text.insert(at, kOtherPieces[pick(std::size(kOtherPieces))]);
          break;
        default: {
          // After a tag, where character data may stand.
          const std::size_t tag_end = text.rfind(L'>', at);
          text.insert(tag_end == std::wstring::npos ? at : tag_end + 1,
                      kPlainPieces[pick(std::size(kPlainPieces))]);
        }
      }
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

}  // namespace ebank::banking::testing

#endif  // EBANK_BANKING_TESTING_KONTO_VARIANTS_H_
