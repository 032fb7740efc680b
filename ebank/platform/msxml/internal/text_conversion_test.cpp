#include <string>

#include "ebank/platform/msxml/testing/msxml_test_support.h"

namespace ebank::platform::msxml_test {
namespace {

using TextConversionTest = XmlTest;

// Non-ASCII characters at every place relative to the blocks that are
// copied in bulk: first, inside the first block, right after it, and late.
TEST_F(TextConversionTest, NonAsciiSurvivesAtAnyPositionOfALongText) {
  const std::wstring ascii(40, L'a');
  const std::wstring others[] = {L"\u00E4", L"\u20AC", L"\U0001F600"};
  for (const std::wstring& other : others) {
    for (size_t at : {size_t{0}, size_t{5}, size_t{16}, size_t{17}, size_t{39}, size_t{40}}) {
      const std::wstring text = ascii.substr(0, at) + other + ascii.substr(at);
      IXMLDOMDocument2Ptr doc = Parse((L"<T>" + text + L"</T>").c_str());
      IXMLDOMElementPtr root = doc->GetdocumentElement();
      EXPECT_EQ(Text(root->Gettext()), text) << at;
      root->Puttext(_bstr_t(text.c_str()));
      EXPECT_EQ(Text(root->Gettext()), text) << at;
      EXPECT_EQ(Text(doc->Getxml()).find(text) != std::wstring::npos, true) << at;
    }
  }
}

TEST_F(TextConversionTest, InvalidCodePointsBecomeReplacementCharacters) {
  std::wstring text(20, L'x');
  text += static_cast<wchar_t>(0xD800);
  text += L"yz";
  text += static_cast<wchar_t>(0x110000);
  IXMLDOMDocument2Ptr doc = Parse(L"<T/>");
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  root->Puttext(_bstr_t(text.c_str()));
  EXPECT_EQ(Text(root->Gettext()), std::wstring(20, L'x') + L"\uFFFDyz\uFFFD");
}

// Texts kept in one piece and texts assembled from several nodes read the
// same way.
TEST_F(TextConversionTest, TextOfEveryNodeShape) {
  IXMLDOMDocument2Ptr doc = Parse(
      L"<R A=\"attr &amp; value\"><E/><S>single</S><C><![CDATA[<cdata>]]></C>"
      L"<M>one<![CDATA[two]]><I>three</I>four</M><!--note--><?pi data?></R>");
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  const auto text_of = [&](const wchar_t* xpath) {
    return Text(root->selectSingleNode(_bstr_t(xpath))->Gettext());
  };
  EXPECT_EQ(text_of(L"E"), L"");
  EXPECT_EQ(text_of(L"S"), L"single");
  EXPECT_EQ(text_of(L"S/text()"), L"single");
  EXPECT_EQ(text_of(L"C"), L"<cdata>");
  EXPECT_EQ(text_of(L"M"), L"onetwothreefour");
  EXPECT_EQ(text_of(L"@A"), L"attr & value");
  EXPECT_EQ(text_of(L"comment()"), L"note");
  EXPECT_EQ(text_of(L"processing-instruction()"), L"data");
  EXPECT_EQ(Text(root->Gettext()), L"single<cdata>onetwothreefour");
}

}  // namespace
}  // namespace ebank::platform::msxml_test
