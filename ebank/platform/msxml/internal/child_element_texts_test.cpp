#include "ebank/platform/msxml/internal/child_element_texts.h"

#include <string>
#include <vector>

#include "ebank/platform/msxml/testing/msxml_test_support.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ebank::platform::msxml_test {
namespace {

using msxml::ChildElementTexts;

class ChildElementTextsTest : public XmlTest {
 protected:
  // The texts of `names` below the root of `xml`, "<none>" for a null text.
  std::vector<std::wstring> Read(const wchar_t* xml, std::vector<const wchar_t*> names) {
    IXMLDOMDocument2Ptr doc = Parse(xml);
    std::vector<BSTR> texts(names.size(), nullptr);
    EXPECT_EQ(
        ChildElementTexts(doc->GetdocumentElement(), names.data(), names.size(), texts.data()),
        S_OK);
    return TakeTexts(texts);
  }
};

// The same children a relative XPath step selects: the first element of each
// name in no namespace, its whole text, nested text included.
TEST_F(ChildElementTextsTest, ReadsWhatTheXPathStepSelects) {
  const wchar_t* xml =
      L"<K xmlns:p='urn:p'><!--c-->x<A>1</A><A>2</A><p:B>prefixed</p:B>"
      L"<B xmlns='urn:d'>default</B><C><D>d</D>&amp;e</C><E/><B>plain</B></K>";
  EXPECT_EQ(Read(xml, {L"A", L"B", L"C", L"E", L"F", L"p:B"}),
            (std::vector<std::wstring>{L"1", L"plain", L"d&e", L"", L"<none>", L"<none>"}));
  // Names that start alike, and names beyond ASCII.
  EXPECT_EQ(Read(L"<K><AB>2</AB><A>1</A><\u00C4\u4E2D>3</\u00C4\u4E2D></K>",
                 {L"A", L"AB", L"ABC", L"\u00C4\u4E2D", L"\u00C4", L""}),
            (std::vector<std::wstring>{L"1", L"2", L"<none>", L"3", L"<none>", L"<none>"}));
  IXMLDOMDocument2Ptr doc = Parse(xml);
  for (const wchar_t* path : {L"A", L"B", L"C"}) {
    const std::vector<std::wstring> direct = Read(xml, {path});
    EXPECT_EQ(direct[0], Text(doc->GetdocumentElement()->selectSingleNode(path)->Gettext()));
  }
}

TEST_F(ChildElementTextsTest, RefusesNullArguments) {
  IXMLDOMDocument2Ptr doc = Parse(L"<K><A>1</A></K>");
  const wchar_t* names[] = {L"A"};
  BSTR texts[1] = {};
  EXPECT_EQ(ChildElementTexts(nullptr, names, 1, texts), E_POINTER);
  EXPECT_EQ(ChildElementTexts(doc->GetdocumentElement(), names, 1, nullptr), E_POINTER);
  EXPECT_EQ(texts[0], nullptr);
}

}  // namespace
}  // namespace ebank::platform::msxml_test
