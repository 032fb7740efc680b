#include <string>

#include "ebank/core/error.h"
#include "ebank/platform/hresult.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gmock/gmock.h"

namespace ddXML {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::Text;

class XmlHostileInputTest : public testing::XmlTest {
 protected:
  // Everything the object exposes as text, or the parse error it raised.
  static std::wstring Outcome(const std::wstring& xml) {
    try {
      CXmlClass document(xml.c_str());
      return Text(document.getXml());
    } catch (const ddCOM::Exception& error) {
      return L"error " + std::to_wstring(error.HResult());
    }
  }
  std::wstring WidePath(const std::string& name) const {
    const std::string path = PathOf(name);
    return std::wstring(path.begin(), path.end());
  }
};

TEST_F(XmlHostileInputTest, ExternalEntitiesAndDtdsAreNeverRead) {
  WriteFile(PathOf("external.dtd"), "<!ENTITY e 'SECRET-DTD'>");
  const std::wstring dtd =
      L"<!DOCTYPE A SYSTEM 'file://" + WidePath("external.dtd") + L"'><A>&e;</A>";
  EXPECT_THAT(Outcome(dtd), Not(HasSubstr(L"SECRET")));
  const std::wstring parameter = L"<!DOCTYPE A [<!ENTITY % p SYSTEM 'file://" +
                                 WidePath("external.dtd") + L"'> %p;]><A>&e;</A>";
  EXPECT_THAT(Outcome(parameter), Not(HasSubstr(L"SECRET")));
}

TEST_F(XmlHostileInputTest, MarkupCharactersAndNonLatinTextAreStoredLiterally) {
  const std::wstring text = L"a & b < c 'd' \"e\" ]]> &amp; \u0416\u4E2D\U0001F600";
  CXmlClass xml(L"<A><B/></A>");
  xml.setNodeText(L"B", text.c_str());
  xml.createAttribute(L"B", L"X", text.c_str());
  xml.createElement(L".", L"C", text.c_str());
  // Re-parse the serialised document: the texts come back unchanged.
  CXmlClass reparsed(static_cast<const wchar_t*>(xml.getDocument()->Getxml()));
  EXPECT_EQ(std::wstring(reparsed.getNode(L"B")->Gettext()), text);
  EXPECT_EQ(std::wstring(reparsed.getNode(L"B/@X")->Gettext()), text);
  EXPECT_EQ(std::wstring(reparsed.getNode(L"C")->Gettext()), text);
  EXPECT_EQ(reparsed.getNrOfNodes(L"*"), 2) << "no markup was injected";
}

TEST_F(XmlHostileInputTest, OverlongPathsAndNamesAreCutOrRefused) {
  CXmlClass xml(L"<A><B>1</B></A>");
  const std::wstring longStep(5000, L'B');
  EXPECT_FALSE(xml.isNodeFound(longStep.c_str(), longStep.c_str()));
  EXPECT_FALSE(xml.isNodeFoundEx(L"%s", longStep.c_str()));
  // The blanks of the padding fill the whole buffer: no expression is left.
  EXPECT_LT(testing::ComErrorOf([&] { xml.isNodeFoundEx(L"%5000d", 1); }), 0);
  EXPECT_TRUE(xml.getNodeTextEx(L"%s/%s", longStep.c_str(), L"B").IsNothing());

  const std::string longName(5000, 'n');
  // Narrow paths beyond 259 characters are refused, never cut to another name.
  EXPECT_EQ(testing::ComErrorOf([&] { xml.load(longName.c_str()); }), E_INVALIDARG);
  EXPECT_EQ(testing::ComErrorOf([&] { xml.save(longName.c_str()); }), E_INVALIDARG);
  EXPECT_EQ(testing::ComErrorOf([&] { xml.saveTemp(longName.c_str()); }), E_INVALIDARG);
  EXPECT_EQ(Text(xml.getNodeText(L"B")), L"1") << "the document is kept";
  xml.createElement(L".", L"V", std::string(10000, 'v').c_str());
  EXPECT_EQ(xml.getNodeText(L"V").Length(), 3999u);
}

}  // namespace
}  // namespace ddXML
