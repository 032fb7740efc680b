#include "ebank/platform/msxml/internal/append_text_elements.h"

#include <string>

#include "ebank/platform/msxml/testing/msxml_test_support.h"

namespace ebank::platform::msxml_test {
namespace {

using msxml::AppendTextElements;

using AppendTextElementsTest = XmlTest;

// The same tree as createElement, text and appendChild one by one, under a
// parent in a default namespace too (the new elements stay in none).
TEST_F(AppendTextElementsTest, BuildsWhatTheSingleStepsBuild) {
  const wchar_t* names[] = {L"A", L"B", L"C", L"D"};
  const wchar_t* texts[] = {L"x & <y>", L"", nullptr, L"cut\0here"};
  for (const wchar_t* xml : {L"<K/>", L"<K xmlns='urn:k'/>"}) {
    IXMLDOMDocument2Ptr bulk = Parse(xml);
    IXMLDOMDocument2Ptr single = Parse(xml);
    ASSERT_EQ(AppendTextElements(bulk->GetdocumentElement(), names, texts, 4), S_OK);
    IXMLDOMElementPtr root = single->GetdocumentElement();
    for (int i = 0; i < 4; ++i) {
      IXMLDOMElementPtr element = single->createElement(names[i]);
      if (texts[i] != nullptr && texts[i][0] != L'\0') element->Puttext(texts[i]);
      root->appendChild(element);
    }
    EXPECT_EQ(Text(bulk->Getxml()), Text(single->Getxml()));
  }
}

TEST_F(AppendTextElementsTest, RefusesBadNamesAndParentsThatAreNoElements) {
  IXMLDOMDocument2Ptr doc = Parse(L"<K/>");
  const wchar_t* names[] = {L"A", L"1bad", L"C"};
  const wchar_t* texts[] = {L"a", L"b", L"c"};
  EXPECT_EQ(AppendTextElements(doc->GetdocumentElement(), names, texts, 3), E_FAIL);
  EXPECT_EQ(Text(doc->GetdocumentElement()->Getxml()), L"<K><A>a</A></K>")
      << "the elements before the bad name stay";
  EXPECT_EQ(AppendTextElements(doc, names, texts, 1), E_INVALIDARG);
  EXPECT_EQ(AppendTextElements(nullptr, names, texts, 1), E_POINTER);
}

}  // namespace
}  // namespace ebank::platform::msxml_test
