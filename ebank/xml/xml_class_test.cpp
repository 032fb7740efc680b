#include "ebank/xml/xml_class.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "ebank/core/error.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/testing/scoped_environment_variable.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "gmock/gmock.h"

namespace ddXML {
namespace {

using testing::ComErrorOf;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::Text;
using BString = CXmlClass::BString;

class XmlLifecycleTest : public testing::XmlTest {
 protected:
  // The description of the ddCOM::Error a call throws, with its HRESULT.
  template <typename Call>
  static std::wstring ErrorTextOf(Call call, LONG* hresult) {
    try {
      call();
    } catch (const ddCOM::Error& error) {
      *hresult = error.HResult();
      BSTR text = error.Description();
      std::wstring result(text == nullptr ? L"" : text);
      SysFreeString(text);
      return result;
    }
    *hresult = 0;
    return L"";
  }
};

TEST_F(XmlLifecycleTest, EveryTextConstructorParsesAndNullTextsLeaveTheObjectEmpty) {
  wchar_t mutableText[] = L"<A><B>x</B></A>";
  EXPECT_THAT(Text(CXmlClass(L"<A><B>x</B></A>").getXml()), HasSubstr(L"<A><B>x</B></A>"));
  EXPECT_THAT(Text(CXmlClass(mutableText).getXml()), HasSubstr(L"<B>x</B>"));
  EXPECT_THAT(Text(CXmlClass(BString(L"<A>y</A>")).getXml()), HasSubstr(L"<A>y</A>"));
  EXPECT_THAT(Text(CXmlClass(_bstr_t(L"<A>z</A>")).getXml()), HasSubstr(L"<A>z</A>"));
  // The narrow form reads the ANSI code page: byte FC is u-umlaut.
  EXPECT_THAT(Text(CXmlClass("<A>M\xFCller</A>").getXml()), HasSubstr(L"<A>M\u00FCller</A>"));

  EXPECT_TRUE(CXmlClass(static_cast<const wchar_t*>(nullptr)).isEmpty());
  EXPECT_TRUE(CXmlClass(static_cast<wchar_t*>(nullptr)).isEmpty());
  EXPECT_TRUE(CXmlClass(BString()).isEmpty());
  EXPECT_TRUE(CXmlClass(_bstr_t()).isEmpty());
  EXPECT_TRUE(CXmlClass(static_cast<const char*>(nullptr)).isEmpty());
  EXPECT_TRUE(CXmlClass(IXMLDOMNodePtr()).isEmpty());
  CXmlClass empty;
  EXPECT_TRUE(empty.isEmpty());
  EXPECT_TRUE(empty.getXml().IsNothing());
  EXPECT_EQ(empty.getDocument(), nullptr);
}

TEST_F(XmlLifecycleTest, NullTextKeepsTheDocumentAndItsFileName) {
  const std::string path = PathOf("keep.xml");
  WriteFile(path, "<KEEP/>");
  CXmlClass xml;
  xml.load(path.c_str());
  xml.loadXML(nullptr);
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"<KEEP/>"));
  xml.getDocument()->GetdocumentElement()->setAttribute(_bstr_t(L"X"), _variant_t(L"1"));
  xml.save();
  EXPECT_THAT(ReadFile(path), HasSubstr("X=\"1\""));
}

TEST_F(XmlLifecycleTest, MalformedTextRaisesTheParseErrorAndLeavesARootlessDocument) {
  CXmlClass xml(L"<A/>");
  LONG hresult = 0;
  const std::wstring text = ErrorTextOf([&] { xml.loadXML(L"<A>\n<B></A>"); }, &hresult);
  EXPECT_LT(hresult, 0);
  EXPECT_THAT(text, HasSubstr(L"Source: "));
  EXPECT_THAT(text, HasSubstr(L"\r\nLine: 2\r\nPos: "));
  EXPECT_FALSE(xml.isEmpty());
  EXPECT_EQ(xml.getDocument()->GetdocumentElement(), nullptr);

  ErrorTextOf([&] { xml.loadXML(L""); }, &hresult);
  EXPECT_LT(hresult, 0) << "an empty text is no document";
}

TEST_F(XmlLifecycleTest, LoadRemembersThePathForSave) {
  const std::string path = PathOf("account.xml");
  WriteFile(path, "<KONTO><NR>1</NR></KONTO>");
  CXmlClass xml;
  xml.load(std::wstring(path.begin(), path.end()).c_str());
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"<NR>1</NR>"));
  xml.getDocument()->GetdocumentElement()->setAttribute(_bstr_t(L"SAVED"), _variant_t(L"yes"));
  xml.save();
  EXPECT_THAT(ReadFile(path), HasSubstr("SAVED=\"yes\""));

  // The copy constructor takes the path along.
  CXmlClass copy(xml);
  copy.getDocument()->GetdocumentElement()->setAttribute(_bstr_t(L"COPY"), _variant_t(L"1"));
  copy.save();
  EXPECT_THAT(ReadFile(path), HasSubstr("COPY=\"1\""));

  // Replacing the document forgets the path: save() then has none to use.
  xml.createRoot(L"NEW");
  EXPECT_NE(ComErrorOf([&] { xml.save(); }), 0);
  EXPECT_THAT(ReadFile(path), Not(HasSubstr("<NEW")));
}

TEST_F(XmlLifecycleTest, LoadAndSaveFailures) {
  CXmlClass xml;
  LONG hresult = 0;
  ErrorTextOf([&] { xml.load(PathOf("missing.xml").c_str()); }, &hresult);
  EXPECT_LT(hresult, 0);
  EXPECT_FALSE(xml.isEmpty());

  CXmlClass empty;
  EXPECT_EQ(ComErrorOf([&] { empty.save(PathOf("x.xml").c_str()); }), E_POINTER);
  CXmlClass fromText(L"<A/>");
  EXPECT_NE(ComErrorOf([&] { fromText.save(); }), 0) << "the empty path cannot be written";
  EXPECT_NE(ComErrorOf([&] { fromText.save(PathOf("no/such/dir/x.xml").c_str()); }), 0);
  // Null narrow paths do nothing at all.
  empty.load(static_cast<const char*>(nullptr));
  empty.save(static_cast<const char*>(nullptr));
  EXPECT_TRUE(empty.isEmpty());
}

TEST_F(XmlLifecycleTest, SaveTempAndDumpXmlWriteFiles) {
  {
    ebank::platform::ScopedEnvironmentVariable temp("TMPDIR", directory_.c_str());
    CXmlClass(L"<TEMP/>").saveTemp("dump");
    // The name is formatted with %s, which prints a null text as (null).
    CXmlClass(L"<UNNAMED/>").saveTemp(nullptr);
  }
  EXPECT_THAT(ReadFile(PathOf("dump.XML")), HasSubstr("<TEMP/>"));
  EXPECT_THAT(ReadFile(PathOf("(null).XML")), HasSubstr("<UNNAMED/>"));

  BString text(L"<DUMP>1</DUMP>");
  CXmlClass::DumpXML(text, PathOf("dump2.xml").c_str());
  EXPECT_THAT(ReadFile(PathOf("dump2.xml")), HasSubstr("<DUMP>1</DUMP>"));
}

TEST_F(XmlLifecycleTest, SaveTempRefusesATemporaryDirectoryTooLongForItsBuffer) {
  const std::string name = "ebank-save-temp-" + std::to_string(getpid());
  // With its separator the directory text needs 260 characters and more; a
  // cut or empty directory would put the file somewhere else, such as /.
  for (std::size_t length : {259u, 260u, 4000u}) {
    const std::string deep = directory_.string() + "/" + std::string(length, 'd');
    ebank::platform::ScopedEnvironmentVariable temp("TMPDIR", deep.substr(0, length).c_str());
    CXmlClass xml(L"<TEMP/>");
    EXPECT_EQ(ComErrorOf([&] { xml.saveTemp(name.c_str()); }), E_INVALIDARG) << length;
  }
  EXPECT_FALSE(std::filesystem::exists("/" + name + ".XML"));
  EXPECT_FALSE(std::filesystem::exists(name + ".XML"));
}

TEST_F(XmlLifecycleTest, CopiesAreIndependentTrees) {
  CXmlClass source(L"<A><B>1</B></A>");
  CXmlClass copy(source);
  copy.setNodeText(L"B", L"2");
  EXPECT_THAT(Text(source.getXml()), HasSubstr(L"<B>1</B>"));
  EXPECT_THAT(Text(copy.getXml()), HasSubstr(L"<B>2</B>"));

  CXmlClass assigned(L"<OLD/>");
  assigned = source;
  source.setNodeText(L"B", L"3");
  EXPECT_THAT(Text(assigned.getXml()), HasSubstr(L"<B>1</B>"));

  // An empty source leaves the target as it was.
  assigned = CXmlClass();
  EXPECT_THAT(Text(assigned.getXml()), HasSubstr(L"<B>1</B>"));
  EXPECT_TRUE(CXmlClass(CXmlClass()).isEmpty());
}

TEST_F(XmlLifecycleTest, AssignmentToItselfParsesAgainAndForgetsTheFileName) {
  const std::string path = PathOf("self.xml");
  WriteFile(path, "<SELF><B>1</B></SELF>");
  CXmlClass xml;
  xml.load(path.c_str());
  const wchar_t* handed_out = xml.getNodeBSTR(L"B");
  const IXMLDOMDocumentPtr before = xml.getDocument();
  CXmlClass& same = xml;
  xml = same;
  EXPECT_NE(xml.getDocument(), before) << "a new document was parsed";
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"<SELF><B>1</B></SELF>"));
  EXPECT_STREQ(handed_out, L"1") << "handed-out strings stay";
  EXPECT_NE(ComErrorOf([&] { xml.save(); }), 0) << "no file name is left to save to";
  EXPECT_THAT(ReadFile(path), HasSubstr("<SELF><B>1</B></SELF>"));

  CXmlClass empty;
  CXmlClass& empty_too = empty;
  empty = empty_too;
  EXPECT_TRUE(empty.isEmpty());
}

TEST_F(XmlLifecycleTest, AssignmentFromNodesAndDocuments) {
  CXmlClass source(L"<A><B><C>1</C></B></A>");
  CXmlClass xml(L"<OLD/>");
  xml = source.getNode(L"B");
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"<B><C>1</C></B>"));
  EXPECT_THAT(Text(source.getXml()), HasSubstr(L"<A><B><C>1</C></B></A>"));
  xml = IXMLDOMNodePtr();
  EXPECT_TRUE(xml.isEmpty());

  // A document is shared, not copied.
  xml = source.getDocument();
  xml.setNodeText(L"B/C", L"2");
  EXPECT_THAT(Text(source.getXml()), HasSubstr(L"<C>2</C>"));
  xml = IXMLDOMDocumentPtr();
  EXPECT_TRUE(xml.isEmpty());
}

TEST_F(XmlLifecycleTest, CreateRootForms) {
  CXmlClass xml;
  xml.createRoot(L"KONTO");
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"<KONTO/>"));
  xml.createRoot("KONTEN");
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"<KONTEN/>"));

  CXmlClass source(L"<A><B x='1'><C/></B></A>");
  xml.createRoot(source.getNode(L"B"));
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"<B x=\"1\"><C/></B>"));
  EXPECT_NE(ComErrorOf([&] { xml.createRoot(L"not a name"); }), 0);

  // A null node keeps the document but forgets the file name.
  const std::string path = PathOf("root.xml");
  WriteFile(path, "<R/>");
  xml.load(path.c_str());
  xml.createRoot(IXMLDOMNodePtr());
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"<R/>"));
  EXPECT_NE(ComErrorOf([&] { xml.save(); }), 0);
}

TEST_F(XmlLifecycleTest, HandedOutStringsOutliveClearAndLaterQueries) {
  CXmlClass xml(L"<A><B>first</B><C>second</C></A>");
  const wchar_t* first = xml.getNodeBSTR(L"B");
  const wchar_t* attribute = xml.getNodeAttrBSTR(L"B", L"missing");
  xml.getNodeBSTR(L"C");
  xml.clear();
  EXPECT_TRUE(xml.isEmpty());
  EXPECT_STREQ(first, L"first");
  EXPECT_STREQ(attribute, L"");
}

TEST_F(XmlLifecycleTest, TextLeavesThroughTheAnsiCodePage) {
  CXmlClass xml(L"<A>M\u00FCller \u00DF \u0416 \u20AC</A>");
  // Latin-1 letters survive; Cyrillic is not in the Western code page, and
  // the euro sign comes back as its code-page byte 0x80.
  EXPECT_THAT(Text(xml.getXml()), HasSubstr(L"M\u00FCller \u00DF ? \u0080"));
  EXPECT_EQ(Text(xml.getNodeText(L".")), L"M\u00FCller \u00DF ? \u0080");
}

TEST_F(XmlLifecycleTest, NewDocumentsHaveNoRoot) {
  IXMLDOMDocumentPtr document = CXmlClass::getNewDocument();
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->GetdocumentElement(), nullptr);
}

}  // namespace
}  // namespace ddXML
