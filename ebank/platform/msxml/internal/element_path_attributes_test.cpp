#include "ebank/platform/msxml/internal/element_path_attributes.h"

#include <string>
#include <vector>

#include "ebank/platform/msxml/testing/msxml_test_support.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ebank::platform::msxml_test {
namespace {

using msxml::ElementPathAttributes;

class ElementPathAttributesTest : public XmlTest {
 protected:
  // The values of `names` on the element `steps` lead to from the root of
  // `doc`, "<none>" for a missing one.
  static std::vector<std::wstring> Read(const IXMLDOMDocument2Ptr& doc,
                                        const std::vector<const wchar_t*>& steps,
                                        const std::vector<const wchar_t*>& names) {
    std::vector<BSTR> values(names.size(), nullptr);
    EXPECT_EQ(ElementPathAttributes(doc->GetdocumentElement(), steps.data(), steps.size(),
                                    names.data(), names.size(), values.data()),
              S_OK);
    return TakeTexts(values);
  }

  // The same values through an XPath selection and getAttribute.
  static std::vector<std::wstring> ReadByXPath(const IXMLDOMDocument2Ptr& doc,
                                               const std::wstring& path,
                                               const std::vector<const wchar_t*>& names) {
    const IXMLDOMElementPtr element =
        doc->GetdocumentElement()->selectSingleNode(_bstr_t(path.c_str()));
    std::vector<std::wstring> result;
    for (const wchar_t* name : names) {
      const _variant_t value = element != nullptr ? element->getAttribute(name) : _variant_t();
      result.push_back(value.vt == VT_BSTR ? Text(value.bstrVal) : L"<none>");
    }
    return result;
  }
};

// Whatever the nesting, the element found is the one XPath selects first:
// an earlier parent without the child is passed over, namespaced elements
// never match, and values keep entities and characters beyond ASCII.
TEST_F(ElementPathAttributesTest, FindsTheElementXPathSelectsFirst) {
  IXMLDOMDocument2Ptr doc = Parse(
      L"<K xmlns:p='urn:p'><D/><p:D><E Y='ns'/></p:D><D><F Y='f'/><E Y='1' M='&amp;2' "
      L"p:M='x'/><E Y='late'/></D><D><E Y='3'/></D><G><H><I Y='\u00e4\u4e2d'/></H></G></K>");
  const std::vector<const wchar_t*> names = {L"Y", L"M", L"p:M", L"Z"};
  const std::vector<std::vector<const wchar_t*>> paths = {
      {L"D", L"E"}, {L"D", L"F"}, {L"D"}, {L"G", L"H", L"I"}, {L"D", L"X"}};
  for (const auto& steps : paths) {
    std::wstring path;
    for (const wchar_t* step : steps) path += (path.empty() ? L"" : L"/") + std::wstring(step);
    EXPECT_EQ(Read(doc, steps, names), ReadByXPath(doc, path, names)) << path;
  }
  EXPECT_EQ(Read(doc, {L"D", L"E"}, names),
            (std::vector<std::wstring>{L"1", L"&2", L"x", L"<none>"}));
  EXPECT_EQ(Read(doc, {L"p:D", L"E"}, names), std::vector<std::wstring>(names.size(), L"<none>"));
}

TEST_F(ElementPathAttributesTest, RefusesNullArguments) {
  IXMLDOMDocument2Ptr doc = Parse(L"<K><D Y='1'/></K>");
  const wchar_t* steps[] = {L"D"};
  const wchar_t* names[] = {L"Y"};
  BSTR values[1] = {};
  EXPECT_EQ(ElementPathAttributes(nullptr, steps, 1, names, 1, values), E_POINTER);
  EXPECT_EQ(ElementPathAttributes(doc->GetdocumentElement(), steps, 1, names, 1, nullptr),
            E_POINTER);
  EXPECT_EQ(values[0], nullptr);
}

}  // namespace
}  // namespace ebank::platform::msxml_test
