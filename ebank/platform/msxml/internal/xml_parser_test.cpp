// Loading: the white-space rule, parse error reasons, and the bounds that keep
// hostile documents cheap. Each bound is tested with the largest document it
// lets through and the smallest it refuses; timings are left to benchmarks.
#include <libxml/parser.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ebank/platform/msxml/testing/msxml_test_support.h"
#include "gmock/gmock.h"

namespace ebank::platform::msxml_test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

constexpr LONG kResourceLimit = static_cast<LONG>(0xC00CE072);

class ParserTest : public XmlTest {
 protected:
  // Loads `xml` into a new document; its parse error (code 0 on success).
  static IXMLDOMParseErrorPtr Load(const std::wstring& xml) {
    IXMLDOMDocument2Ptr doc = NewDocument();
    doc->loadXML(_bstr_t(xml.c_str()));
    return doc->GetparseError();
  }
  static std::wstring Repeat(const std::wstring& text, size_t count) {
    std::wstring result;
    for (size_t i = 0; i < count; ++i) result += text;
    return result;
  }
  static std::wstring Attributes(size_t count, const wchar_t* value = L"''") {
    std::wstring result;
    for (size_t i = 0; i < count; ++i) result += L" a" + std::to_wstring(i) + L"=" + value;
    return result;
  }
  // A KONTO whose NAME refers `references` times to an entity of `length`
  // characters.
  static std::wstring FannedOutKonto(size_t length, size_t references) {
    return L"<!DOCTYPE KONTO [<!ENTITY b '" + std::wstring(length, L'x') + L"'>]>" +
           L"<KONTO><BLZ>12345678</BLZ><NAME>" + Repeat(L"&b;", references) + L"</NAME></KONTO>";
  }
};

TEST_F(ParserTest, WhiteSpaceOnlyTextIsDroppedOnLoadUnlessPreserved) {
  const wchar_t* xml =
      L"<A>\n  <B> x </B>\n  <P xml:space=\"preserve\"> <Q/> </P>\n"
      L"  <C><![CDATA[ ]]></C> <S> </S></A>";
  IXMLDOMDocument2Ptr doc = NewDocument();
  EXPECT_EQ(doc->GetpreserveWhiteSpace(), VARIANT_FALSE);
  ASSERT_EQ(doc->loadXML(_bstr_t(xml)), VARIANT_TRUE);
  EXPECT_EQ(Text(doc->Getxml()),
            L"<A><B> x </B><P xml:space=\"preserve\"> <Q/> </P><C><![CDATA[ ]]></C><S/></A>\r\n");
  EXPECT_EQ(doc->selectNodes(_bstr_t(L"//text()"))->Getlength(), 4);  // CDATA included

  // Long runs reach the parser's handler in pieces: blank pieces inside a text
  // stay, a blank run of many pieces goes whole.
  const std::wstring blanks(5000, L' ');
  const std::wstring long_text = L"x" + blanks + L"y" + blanks + L"\u00e4";
  ASSERT_EQ(doc->loadXML(_bstr_t(
                (L"<A>" + blanks + L"<B>" + long_text + L"</B>" + blanks + L"<C>&#32;&#x9;</C></A>")
                    .c_str())),
            VARIANT_TRUE);
  EXPECT_EQ(Text(doc->Getxml()), L"<A><B>" + long_text + L"</B><C/></A>\r\n");

  // The setting holds for later loads and for clones, until changed.
  doc->PutpreserveWhiteSpace(VARIANT_TRUE);
  ASSERT_EQ(doc->loadXML(_bstr_t(xml)), VARIANT_TRUE);
  EXPECT_EQ(Text(doc->Getxml()), std::wstring(xml) + L"\r\n");
  EXPECT_EQ(Text(doc->selectSingleNode(_bstr_t(L"A/S"))->Gettext()), L" ");
  IXMLDOMDocument2Ptr clone = doc->cloneNode(VARIANT_TRUE);
  EXPECT_EQ(clone->GetpreserveWhiteSpace(), VARIANT_TRUE);

  const std::string path =
      (std::filesystem::temp_directory_path() / ("ebank-ws-" + std::to_string(getpid()) + ".xml"))
          .string();
  std::ofstream(path) << "<A>\n <B/>\n</A>";
  doc->PutpreserveWhiteSpace(VARIANT_FALSE);
  ASSERT_EQ(doc->load(_variant_t(path.c_str())), VARIANT_TRUE);
  std::filesystem::remove(path);
  EXPECT_EQ(Text(doc->Getxml()), L"<A><B/></A>\r\n");
  EXPECT_EQ(doc->get_preserveWhiteSpace(nullptr), E_INVALIDARG);
}

TEST_F(ParserTest, ReasonsEndTheirLine) {
  IXMLDOMDocument2Ptr doc = NewDocument();
  for (const wchar_t* bad : {L"<A><B></A>", L"", L"<A "}) {
    doc->loadXML(_bstr_t(bad));
    const std::wstring reason = Text(doc->GetparseError()->Getreason());
    EXPECT_THAT(reason, EndsWith(L"\r\n")) << Narrow(bad);
    EXPECT_EQ(reason.find(L"\r\n"), reason.size() - 2) << "one line only";
  }
  doc->load(_variant_t("/nonexistent/ebank.xml"));
  EXPECT_THAT(Text(doc->GetparseError()->Getreason()), EndsWith(L"\r\n"));
}

TEST_F(ParserTest, EntityFanOutIsRefusedAtLoad) {
  // 30 KB of text standing for 40 MB.
  IXMLDOMParseErrorPtr error = Load(FannedOutKonto(10'000, 4'000));
  EXPECT_EQ(error->GeterrorCode(), kResourceLimit);
  EXPECT_THAT(Text(error->Getreason()), HasSubstr(L"more than 1048576 bytes of text"));
  EXPECT_EQ(error->Getline(), 1);

  // Under the bound the text reads in full.
  IXMLDOMDocument2Ptr doc = Parse(FannedOutKonto(10'000, 100).c_str());
  EXPECT_EQ(doc->selectSingleNode(_bstr_t(L"KONTO/NAME"))->Gettext().length(), 1'000'000u);
  // The bound grows with the document: ten times its size.
  const std::wstring padding = L"<!--" + std::wstring(200'000, L'p') + L"-->";
  EXPECT_EQ(Load(padding + FannedOutKonto(10'000, 150))->GeterrorCode(), 0);
  EXPECT_EQ(Load(padding + FannedOutKonto(10'000, 250))->GeterrorCode(), kResourceLimit);

  // References in attribute values and nested references count as well.
  EXPECT_EQ(Load(L"<!DOCTYPE A [<!ENTITY b '" + std::wstring(10'000, L'x') + L"'>]><A" +
                 Repeat(L" a='&b;'", 1) + Repeat(L"><B c='&b;'/", 200) + L"></A>")
                ->GeterrorCode(),
            kResourceLimit);
  std::wstring nested = L"<!DOCTYPE A [<!ENTITY e0 '" + std::wstring(1000, L'x') + L"'>";
  nested += L"<!ENTITY e1 '&e0;&e0;'><!ENTITY e2 '&e1;&e1;'>]><A>";  // e2: 4000 bytes
  EXPECT_EQ(Load(nested + Repeat(L"&e2;", 100) + L"</A>")->GeterrorCode(), 0);
  EXPECT_EQ(Load(nested + Repeat(L"&e2;", 1000) + L"</A>")->GeterrorCode(), kResourceLimit);

  // Billion laughs stays refused.
  std::wstring laughs = L"<!DOCTYPE l [<!ENTITY l0 'ha'>";
  for (int i = 1; i <= 10; ++i) {
    laughs += L"<!ENTITY l" + std::to_wstring(i) + L" '" +
              Repeat(L"&l" + std::to_wstring(i - 1) + L";", 10) + L"'>";
  }
  EXPECT_LT(Load(laughs + L"]><l>&l10;</l>")->GeterrorCode(), 0);
}

// XML forbids a '<' in the replacement text of an entity that an attribute
// value refers to, however deep. libxml2 sees it only where it first meets the
// outer entity in an attribute value, which makes it the oracle for that
// order; the DOM gives the same answer after the entity was met in content.
TEST_F(ParserTest, MarkupThatEntitiesBringIntoAttributeValuesIsRefused) {
  struct Case {
    std::string entities;  // declares r, which may bring markup through m
    bool markup;
    bool content_safe;  // r may also stand in content
  };
  const Case cases[] = {
      {"<!ENTITY m '<E/>'><!ENTITY r 'a&m;'>", true, true},
      {"<!ENTITY m '<E/>'><!ENTITY n '&m;'><!ENTITY r '&n;&n;'>", true, true},
      {"<!ENTITY m 'a&#60;b'><!ENTITY r '&m;'>", true, false},
      {"<!ENTITY m 'a&#x003c;b'><!ENTITY r '&m;'>", true, false},
      {"<!ENTITY m 'a&lt;b'><!ENTITY r '&m;'>", false, true},
      {"<!ENTITY m 'a&#38;#60;b'><!ENTITY r '&m;'>", false, true},
      {"<!ENTITY m 'plain'><!ENTITY r '&m;&m;'>", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entities);
    const std::string dtd = "<!DOCTYPE R [" + c.entities + "]>";
    const std::string attribute_first = dtd + "<R><E A='&r;'/></R>";
    xmlDocPtr raw = xmlReadMemory(attribute_first.data(), static_cast<int>(attribute_first.size()),
                                  nullptr, "UTF-8", XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    EXPECT_EQ(raw == nullptr, c.markup);
    xmlFreeDoc(raw);

    std::vector<std::string> documents = {attribute_first};
    if (c.content_safe) documents.push_back(dtd + "<R>&r;\n<E A='&r;'/></R>");
    for (const std::string& document : documents) {
      IXMLDOMParseErrorPtr error = Load(std::wstring(document.begin(), document.end()));
      if (!c.markup) {
        EXPECT_EQ(error->GeterrorCode(), 0) << document;
        continue;
      }
      EXPECT_EQ(error->GeterrorCode(), static_cast<LONG>(0xC00CE000u | XML_ERR_LT_IN_ATTRIBUTE))
          << document;
      EXPECT_THAT(Text(error->Getreason()),
                  HasSubstr(L"'<' in entity 'm' is not allowed in attributes values"));
    }
  }
  // The line is that of the element whose attribute refers to the entity.
  IXMLDOMParseErrorPtr error =
      Load(L"<!DOCTYPE R [<!ENTITY m '<E/>'><!ENTITY r '&m;'>]>\n<R>&r;\n<E A='&r;'/></R>");
  EXPECT_EQ(error->Getline(), 3);
}

TEST_F(ParserTest, StartTagsWithTooManyAttributesAreRefusedBeforeParsing) {
  EXPECT_EQ(Load(L"<A" + Attributes(10'000) + L"/>")->GeterrorCode(), 0);
  IXMLDOMParseErrorPtr error = Load(L"<R>\n <A" + Attributes(10'001) + L"/></R>");
  EXPECT_EQ(error->GeterrorCode(), kResourceLimit);
  EXPECT_THAT(Text(error->Getreason()), HasSubstr(L"more than 10000 attributes"));
  EXPECT_EQ(error->Getline(), 2);
  EXPECT_EQ(error->Getlinepos(), 2);
  // Far over the bound it is refused just as fast.
  EXPECT_EQ(Load(L"<A" + Attributes(200'000) + L"/>")->GeterrorCode(), kResourceLimit);

  // Inside an entity, even where a character reference hides the tag.
  error =
      Load(L"<!DOCTYPE A [<!ENTITY e '&#60;B" + Attributes(10'001, L"\"\"") + L"/>'>]><A>&e;</A>");
  EXPECT_EQ(error->GeterrorCode(), kResourceLimit);
  EXPECT_THAT(Text(error->Getreason()), HasSubstr(L"entity 'e'"));

  // In a file of another encoding, as the parser will read it.
  const std::wstring text = L"<A" + Attributes(10'001) + L"/>";
  std::string utf16 = "\xFF\xFE";
  for (wchar_t c : text) utf16 += {static_cast<char>(c), '\0'};
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("ebank-attrs-" + std::to_string(getpid()) + ".xml"))
                               .string();
  std::ofstream(path, std::ios::binary) << utf16;
  IXMLDOMDocument2Ptr doc = NewDocument();
  EXPECT_EQ(doc->load(_variant_t(path.c_str())), VARIANT_FALSE);
  EXPECT_EQ(doc->GetparseError()->GeterrorCode(), kResourceLimit);
  utf16.resize(utf16.size() - 2 * (text.size() - 12));  // "<A a0='' a1=''" and more
  std::ofstream(path, std::ios::binary) << utf16.substr(0, 2) << std::string("<\0A\0/\0>\0", 8);
  EXPECT_EQ(doc->load(_variant_t(path.c_str())), VARIANT_TRUE);
  std::filesystem::remove(path);
}

TEST_F(ParserTest, DefaultAttributesOfTheDtdAreBounded) {
  const auto with_defaults = [](size_t count, const std::wstring& value) {
    std::wstring dtd = L"<!DOCTYPE R [<!ATTLIST E";
    for (size_t i = 0; i < count; ++i)
      dtd += L" d" + std::to_wstring(i) + L" CDATA '" + value + L"'";
    return dtd + L">]><R>" + std::wstring(L"<E/><E/>") + L"</R>";
  };
  EXPECT_EQ(Load(with_defaults(64, L"v"))->GeterrorCode(), 0);
  IXMLDOMParseErrorPtr error = Load(with_defaults(65, L"v"));
  EXPECT_EQ(error->GeterrorCode(), kResourceLimit);
  EXPECT_THAT(Text(error->Getreason()), HasSubstr(L"'E' more than 64 attributes by default"));

  // Namespace declarations by default are copied into every element.
  const std::wstring ns_dtd = L"<!DOCTYPE R [<!ATTLIST E xmlns:p CDATA '";
  EXPECT_EQ(
      Load(ns_dtd + std::wstring(240, L'u') + L"'>]><R><E/><p:x xmlns:p='u'/></R>")->GeterrorCode(),
      0);
  EXPECT_EQ(Load(ns_dtd + std::wstring(260, L'u') + L"'>]><R><E/></R>")->GeterrorCode(),
            kResourceLimit);
}

TEST_F(ParserTest, LargeShapesWithinLibxml2sOwnLimitsLoadAndRead) {
  const std::wstring deep = Repeat(L"<d>", 256) + L"x" + Repeat(L"</d>", 256);
  IXMLDOMDocument2Ptr doc = Parse(deep.c_str());
  EXPECT_EQ(Text(doc->GetdocumentElement()->Gettext()), L"x");
  EXPECT_EQ(Load(Repeat(L"<d>", 300) + Repeat(L"</d>", 300))->GeterrorCode() < 0, true);

  const std::wstring name(50'000, L'n');
  doc = Parse((L"<" + name + L" v='" + std::wstring(60'000, L'v') + L"'/>").c_str());
  EXPECT_EQ(Text(doc->GetdocumentElement()->GetnodeName()), name);

  std::wstring namespaces = L"<R";
  for (int i = 0; i < 3'000; ++i)
    namespaces += L" xmlns:p" + std::to_wstring(i) + L"='u" + std::to_wstring(i) + L"'";
  namespaces += L">";
  for (int i = 0; i < 3'000; ++i)
    namespaces += L"<p" + std::to_wstring(i) + L":e>t</p" + std::to_wstring(i) + L":e>";
  doc = Parse((namespaces + L"</R>").c_str());
  EXPECT_EQ(doc->selectNodes(_bstr_t(L"/R/*"))->Getlength(), 3'000);
  EXPECT_EQ(doc->GetdocumentElement()->Gettext().length(), 3'000u);
  IXMLDOMDocument2Ptr copy = NewDocument();
  IXMLDOMElementPtr last = doc->selectSingleNode(_bstr_t(L"/R/*[2999]"))->cloneNode(VARIANT_TRUE);
  copy->PutRefdocumentElement(last);
  EXPECT_EQ(Text(copy->Getxml()), L"<p2998:e xmlns:p2998=\"u2998\">t</p2998:e>\r\n");
}

}  // namespace
}  // namespace ebank::platform::msxml_test
