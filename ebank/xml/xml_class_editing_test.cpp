#include "ebank/core/date.h"
#include "ebank/core/decimal.h"
#include "ebank/platform/hresult.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gmock/gmock.h"

namespace ddXML {
namespace {

using testing::ComErrorOf;
using testing::DdComErrorOf;
using ::testing::HasSubstr;
using testing::Text;

class XmlEditingTest : public testing::XmlTest {
 protected:
  std::wstring Xml() const { return Text(xml_.getXml()); }
  CY Amount(LONGLONG units) const {
    CY amount;
    amount.int64 = units;
    return amount;
  }

  CXmlClass xml_{
      L"<TRANSACTION><ACCOUNT><FK_ID/></ACCOUNT><NAME>old</NAME><EMPTY/>"
      L"<VALUE PREFIX='-' CURRENCY='EUR'>9</VALUE><PLAIN>9</PLAIN>"
      L"<DATE DAY='' MONTH='' YEAR=''/><BARE/></TRANSACTION>"};
};

TEST_F(XmlEditingTest, CreateElementAppendsAChildEveryTime) {
  xml_.createElement(L"ACCOUNT", L"IBAN", L"DE12");
  xml_.createElement(L"ACCOUNT", L"IBAN", L"DE34");
  EXPECT_THAT(Xml(), HasSubstr(L"<ACCOUNT><FK_ID/><IBAN>DE12</IBAN><IBAN>DE34</IBAN></ACCOUNT>"));

  xml_.createElement(L".", L"W1", static_cast<const wchar_t*>(nullptr));
  xml_.createElement(L".", L"W2", L"");
  xml_.createElement(L".", L"N1", static_cast<const char*>(nullptr));
  xml_.createElement(L".", L"N2", "M\xFCller");
  xml_.createElement(L".", L"B", _bstr_t(L"bstr"));
  xml_.createElement(L".", L"L", -42);
  xml_.createElement(L".", L"D", ddCOM::Decimal(-12345, 2));
  xml_.createElement(L".", L"T", ddCOM::Date(39512.0));
  EXPECT_THAT(Xml(), HasSubstr(L"<W1/><W2/><N2>M\u00FCller</N2><B>bstr</B><L>-42</L>"
                               L"<D>-123.45</D><T>2008-03-05</T></TRANSACTION>"));
  EXPECT_FALSE(xml_.isNodeFound(L"N1"));
}

TEST_F(XmlEditingTest, CreateElementFailures) {
  const std::wstring before = Xml();
  EXPECT_EQ(ComErrorOf([&] { xml_.createElement(L"MISSING", L"X", L"1"); }), E_POINTER);
  EXPECT_LT(ComErrorOf([&] { xml_.createElement(L".", L"1bad name", L"1"); }), 0);
  EXPECT_EQ(Xml(), before);
  CXmlClass empty;
  EXPECT_EQ(ComErrorOf([&] { empty.createElement(L".", L"X", L"1"); }), E_POINTER);
}

TEST_F(XmlEditingTest, CreateAttributeNeverCreatesEmptyAttributes) {
  xml_.createAttribute(L"NAME", L"LANG", L"");
  xml_.createAttribute(L"NAME", L"NULL", static_cast<const char*>(nullptr));
  EXPECT_THAT(Xml(), HasSubstr(L"<NAME>old</NAME>"));
  xml_.createAttribute(L"NAME", L"LANG", L"de");
  xml_.createAttribute(L"NAME", L"LANG", "en");
  xml_.createAttribute(L"NAME", L"NR", 7);
  EXPECT_THAT(Xml(), HasSubstr(L"<NAME LANG=\"en\" NR=\"7\">old</NAME>"));
  // Targets that are not elements, or missing, are left alone.
  xml_.createAttribute(L"MISSING", L"X", L"1");
  xml_.createAttribute(L"VALUE/@PREFIX", L"X", L"1");
  EXPECT_THAT(Xml(), HasSubstr(L"PREFIX=\"-\" CURRENCY=\"EUR\">9<"));
}

TEST_F(XmlEditingTest, SetNodeTextOverloads) {
  xml_.setNodeText(L"NAME", L"wide");
  EXPECT_EQ(Text(xml_.getNodeText(L"NAME")), L"wide");
  xml_.setNodeText(L"NAME", CXmlClass::BString());
  EXPECT_THAT(Xml(), HasSubstr(L"<NAME/>"));
  xml_.setNodeText(L"NAME", _bstr_t(L"bstr"));
  EXPECT_EQ(Text(xml_.getNodeText(L"NAME")), L"bstr");
  xml_.setNodeText(L"NAME", _variant_t(static_cast<LONG>(5)));
  EXPECT_EQ(Text(xml_.getNodeText(L"NAME")), L"bstr") << "only strings are written";
  xml_.setNodeText(L"NAME", _variant_t(L"abc"));
  EXPECT_EQ(Text(xml_.getNodeText(L"NAME")), L"abc");
  xml_.setNodeText(L"NAME", "\xE4");
  EXPECT_EQ(Text(xml_.getNodeText(L"NAME")), L"\u00E4");
  xml_.setNodeText(L"NAME", -7);
  EXPECT_EQ(xml_.getNodeLong(L"NAME"), -7);
  // The parent path is joined; replacing text replaces all children.
  xml_.setNodeText(L"FK_ID", L"17", L"ACCOUNT");
  xml_.setNodeText(L"ACCOUNT", L"flat");
  EXPECT_THAT(Xml(), HasSubstr(L"<ACCOUNT>flat</ACCOUNT>"));
  xml_.setNodeText(L"MISSING", L"x");
  EXPECT_FALSE(xml_.isNodeFound(L"MISSING"));
  EXPECT_EQ(ComErrorOf([&] { CXmlClass().setNodeText(L"A", L"x"); }), E_POINTER);
}

TEST_F(XmlEditingTest, AmountsWriteEnglishNotationAndTheirSign) {
  xml_.setNodeText(L"VALUE", Amount(12345000));
  EXPECT_THAT(Xml(), HasSubstr(L"PREFIX=\"+\" CURRENCY=\"EUR\">1234.5<"));
  EXPECT_EQ(xml_.getNodeCurrency(L"VALUE").int64, 12345000);
  xml_.setNodeText(L"VALUE", Amount(-5000));
  EXPECT_EQ(Text(xml_.getNodeAttrBSTR(L"VALUE", L"PREFIX")), L"-");
  xml_.setNodeText(L"VALUE", Amount(0));
  EXPECT_THAT(Xml(), HasSubstr(L"PREFIX=\"+\" CURRENCY=\"EUR\">0<"));
  xml_.setNodeText(L"PLAIN", Amount(10000));
  EXPECT_THAT(Xml(), HasSubstr(L"<PLAIN>1</PLAIN>"));
}

TEST_F(XmlEditingTest, DatesFillOnlyExistingAttributes) {
  SYSTEMTIME date{};
  date.wYear = 2008;
  date.wMonth = 3;
  date.wDay = 5;
  xml_.setNodeText(L"DATE", date);
  EXPECT_THAT(Xml(), HasSubstr(L"<DATE DAY=\"05\" MONTH=\"03\" YEAR=\"2008\"/>"));
  const SYSTEMTIME back = xml_.getNodeDate(L"DATE");
  EXPECT_EQ(back.wYear * 10000 + back.wMonth * 100 + back.wDay, 20080305);
  xml_.setNodeText(L"BARE", date);
  xml_.setNodeText(L"MISSING", date);
  EXPECT_THAT(Xml(), HasSubstr(L"<BARE/>"));
  CXmlClass empty;
  empty.setNodeText(L"DATE", date);  // locates through getNode: no error
}

TEST_F(XmlEditingTest, AttributeTextsChangeOnlyExistingAttributes) {
  xml_.setNodeAttrText(L"VALUE", L"CURRENCY", "DEM");
  xml_.setNodeAttrText(L"VALUE", L"MISSING", "x");
  xml_.setNodeAttrText(L"DATE", L"DAY", 7);
  xml_.setNodeAttrText(L"DATE", L"MONTH", static_cast<const char*>(nullptr));
  xml_.setNodeAttrText(L"MISSING", L"DAY", 7);
  EXPECT_THAT(Xml(), HasSubstr(L"CURRENCY=\"DEM\">9<"));
  EXPECT_THAT(Xml(), HasSubstr(L"<DATE DAY=\"7\" MONTH=\"\" YEAR=\"\"/>"));
  EXPECT_THAT(Xml(), ::testing::Not(HasSubstr(L"MISSING")));
  CXmlClass().setNodeAttrText(L"A", L"B", "c");
}

TEST_F(XmlEditingTest, SetNodeTextIfEmptyAndUpdateElement) {
  xml_.setNodeTextIfEmpty(L"NAME", L"new");
  xml_.setNodeTextIfEmpty(L"EMPTY", L"filled");
  xml_.setNodeTextIfEmpty(L"MISSING", L"x");
  EXPECT_EQ(Text(xml_.getNodeText(L"NAME")), L"old");
  EXPECT_EQ(Text(xml_.getNodeText(L"EMPTY")), L"filled");
  EXPECT_FALSE(xml_.isNodeFound(L"MISSING"));
  EXPECT_EQ(DdComErrorOf([&] { CXmlClass().setNodeTextIfEmpty(L"A", L"x"); }), E_INVALIDARG);

  xml_.updateElement(L"ACCOUNT", L"FK_ID", "12");
  xml_.updateElement(L"ACCOUNT", L"BIC", "BANKDEFF");
  xml_.updateElement(L"ACCOUNT", L"NONE", nullptr);
  xml_.updateElement(L"ACCOUNT", L"FK_ID", nullptr);
  xml_.updateElement(L"MISSING", L"X", "1");
  EXPECT_THAT(Xml(), HasSubstr(L"<ACCOUNT><FK_ID>12</FK_ID><BIC>BANKDEFF</BIC></ACCOUNT>"));
  EXPECT_FALSE(xml_.isNodeFound(L"MISSING"));
}

TEST_F(XmlEditingTest, AppendChildGraftsCopies) {
  CXmlClass other(L"<RECEIVER><NAME>Bob</NAME></RECEIVER>");
  IXMLDOMNodePtr name = other.getNode(L"NAME");
  xml_.appendChild(L"ACCOUNT", name);
  xml_.setNodeText(L"ACCOUNT/NAME", L"changed");
  EXPECT_EQ(Text(other.getNodeText(L"NAME")), L"Bob");
  EXPECT_NE(name->GetparentNode(), nullptr) << "the caller's node is not moved";
  xml_.appendChild(L"MISSING", name);
  xml_.appendChild(L"ACCOUNT", IXMLDOMNodePtr());

  xml_.appendChild(L"ACCOUNT", other);
  EXPECT_THAT(Xml(), HasSubstr(L"<NAME>changed</NAME><RECEIVER><NAME>Bob</NAME></RECEIVER>"));
  CXmlClass empty;
  xml_.appendChild(L"MISSING", empty);
  EXPECT_EQ(ComErrorOf([&] { xml_.appendChild(L"MISSING", other); }), E_POINTER);
  CXmlClass rootless;
  EXPECT_THROW(rootless.loadXML(L"<x"), ddCOM::Exception);
  EXPECT_EQ(ComErrorOf([&] { xml_.appendChild(L"ACCOUNT", rootless); }), E_POINTER);
  EXPECT_EQ(ComErrorOf([&] { empty.appendChild(L".", name); }), E_POINTER);

  CXmlClass list(L"<L><I>1</I><I>2</I></L>");
  xml_.appendChilds(L"EMPTY", list.getNodes(L"I"));
  xml_.appendChilds(L"EMPTY", list.getNodes(L"NONE"));
  EXPECT_THAT(Xml(), HasSubstr(L"<EMPTY><I>1</I><I>2</I></EMPTY>"));
  EXPECT_EQ(ComErrorOf([&] { xml_.appendChilds(L"EMPTY", IXMLDOMNodeListPtr()); }), E_POINTER);
}

TEST_F(XmlEditingTest, RemovingNodes) {
  EXPECT_EQ(DdComErrorOf([&] { xml_.removeNode(L"MISSING"); }), E_INVALIDARG);
  xml_.removeNodes(L"MISSING");
  xml_.removeNode(L"NAME");
  EXPECT_FALSE(xml_.isNodeFound(L"NAME"));

  CXmlClass three(L"<A><B/><C><B/></C><B/></A>");
  three.removeNodes(L"//B");
  EXPECT_THAT(Text(three.getXml()), HasSubstr(L"<A><C/></A>"));
  // Attributes have no parent: they stay, and the repetition ends.
  xml_.removeNodes(L"VALUE/@PREFIX");
  xml_.removeNode(L"VALUE/@PREFIX");
  EXPECT_STREQ(xml_.getNodeAttrBSTR(L"VALUE", L"PREFIX"), L"-");
  CXmlClass().removeNodes(L"A");
  EXPECT_EQ(ComErrorOf([&] { CXmlClass().removeNode(L"A"); }), E_POINTER);
}

// removeNodes removes the first match and searches again until none is left;
// here that rule runs step by step as the reference.
std::wstring RemovedOneByOne(const wchar_t* xml, const wchar_t* path) {
  CXmlClass doc(xml);
  while (doc.isNodeFound(path)) doc.removeNode(path);
  return Text(doc.getXml());
}

std::wstring RemovedAll(const wchar_t* xml, const wchar_t* path) {
  CXmlClass doc(xml);
  doc.removeNodes(path);
  return Text(doc.getXml());
}

TEST_F(XmlEditingTest, RemoveNodesRemovesWhatSearchingAfterEachRemovalWould) {
  const wchar_t* documents[] = {
      L"<A><B/><C><B><B/></B>t<D><B/></D></C><B>x</B></A>",
      L"<A><C><C><C/></C></C><B/><C/></A>",
      L"<B><B/></B>",
  };
  // Name paths, which the search of all matches at once serves, and paths
  // whose matches change as others go.
  const wchar_t* paths[] = {L"B",
                            L"//B",
                            L"*",
                            L"//*",
                            L"C//B",
                            L"./B",
                            L".//B",
                            L"/A/B",
                            L"//C/B",
                            L"C/*",
                            L"B[1]",
                            L"//C[last()]",
                            L"B[count(../B) > 1]",
                            L"//B[not(B)]",
                            L"//C[../C]",
                            L"/B"};
  for (const wchar_t* xml : documents) {
    for (const wchar_t* path : paths) {
      EXPECT_EQ(RemovedAll(xml, path), RemovedOneByOne(xml, path)) << xml << " " << path;
    }
  }
  EXPECT_THAT(RemovedAll(documents[0], L"B[count(../B) > 1]"), HasSubstr(L"<A><C>"))
      << "the last B of the root stays";
  EXPECT_EQ(ComErrorOf([&] { RemovedAll(documents[0], L"B["); }),
            ComErrorOf([&] { RemovedOneByOne(documents[0], L"B["); }));
}

TEST_F(XmlEditingTest, RemoveNodesOfSixteenThousandMatchesArrivesFast) {
  std::wstring xml = L"<A>";
  for (int i = 0; i < 16000; ++i) xml += i % 2 == 0 ? L"<X/>" : L"<X><X/></X>";
  xml += L"<KEEP/></A>";
  CXmlClass doc(xml.c_str());
  doc.removeNodes(L"//X");
  EXPECT_EQ(doc.getNrOfNodes(L"//X"), 0);
  EXPECT_THAT(Text(doc.getXml()), HasSubstr(L"<A><KEEP/></A>"));
}

}  // namespace
}  // namespace ddXML
