#include "ebank/platform/msxml/xml_dom_document.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ebank/platform/msxml/testing/msxml_test_support.h"

namespace ebank::platform::msxml_test {
namespace {

class DocumentTest : public XmlTest {
 protected:
  void SetUp() override {
    XmlTest::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "ebank-msxml-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    XmlTest::TearDown();
  }
  std::string Path(const char* name) const { return dir_ + "/" + name; }
  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
  }

  std::string dir_;
};

TEST_F(DocumentTest, AllThreeClassesAreActivatedByProgId) {
  for (const wchar_t* prog_id :
       {L"Msxml2.DOMDocument.3.0", L"MSXML2.FreeThreadedDOMDocument", L"msxml2.xsltemplate"}) {
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(prog_id, &clsid), S_OK);
    IUnknown* object = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, 7, IID_IUnknown, reinterpret_cast<void**>(&object)),
              S_OK);
    object->Release();
  }
  IXSLTemplate* wrong = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument30, nullptr, 7, IID_IXSLTemplate,
                             reinterpret_cast<void**>(&wrong)),
            E_NOINTERFACE);
}

TEST_F(DocumentTest, ParsedDocumentSerialisesWithLineEnds) {
  IXMLDOMDocument2Ptr doc = Parse(L"<A x=\"1\">\n  <B>t&amp;x</B>\n</A>");
  EXPECT_EQ(Text(doc->Getxml()), L"<A x=\"1\"><B>t&amp;x</B></A>\r\n");
  EXPECT_EQ(Text(doc->GetdocumentElement()->GetnodeName()), L"A");
  EXPECT_EQ(doc->GetparseError()->GeterrorCode(), 0);

  IXMLDOMDocument2Ptr declared =
      Parse(L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><K>\u00e4</K>");
  EXPECT_EQ(Text(declared->Getxml()), L"<?xml version=\"1.0\"?>\r\n<K>\u00e4</K>\r\n");
}

TEST_F(DocumentTest, MalformedTextReportsErrorAndLeavesNoDocumentElement) {
  IXMLDOMDocument2Ptr doc = Parse(L"<A/>");
  EXPECT_EQ(doc->loadXML(_bstr_t(L"<A>\n<B></C></A>")), VARIANT_FALSE);
  IXMLDOMParseErrorPtr error = doc->GetparseError();
  EXPECT_LT(error->GeterrorCode(), 0);
  EXPECT_FALSE(Text(error->Getreason()).empty());
  EXPECT_EQ(Text(error->GetsrcText()), L"<B></C></A>");
  EXPECT_EQ(error->Getline(), 2);
  EXPECT_GT(error->Getlinepos(), 0);
  EXPECT_EQ(doc->GetdocumentElement(), nullptr);

  for (const wchar_t* bad : {L"", L"text only", L"<A><A>", L"<A/><B/>", L"<a:b/>"}) {
    EXPECT_EQ(doc->loadXML(_bstr_t(bad)), VARIANT_FALSE) << Narrow(bad);
    EXPECT_LT(doc->GetparseError()->GeterrorCode(), 0);
  }
  // A later successful parse clears the error.
  EXPECT_EQ(doc->loadXML(_bstr_t(L"<ok/>")), VARIANT_TRUE);
  EXPECT_EQ(doc->GetparseError()->GeterrorCode(), 0);
}

TEST_F(DocumentTest, SaveWritesUtf8AndLoadReadsItBack) {
  IXMLDOMDocument2Ptr doc = Parse(L"<KONTO><NAME>M\u00fcller \u20ac \U0001F600</NAME></KONTO>");
  const std::string path = Path("out.xml");
  doc->save(_variant_t(path.c_str()));
  EXPECT_EQ(ReadFile(path),
            "<KONTO><NAME>M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x98\x80</NAME></KONTO>\r\n");

  IXMLDOMDocument2Ptr loaded = NewDocument();
  EXPECT_EQ(loaded->load(_variant_t(path.c_str())), VARIANT_TRUE);
  EXPECT_EQ(Text(loaded->Getxml()), Text(doc->Getxml()));

  // A Latin-1 file is decoded through its declaration.
  WriteFile(Path("latin1.xml"), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><A>\xE4</A>");
  EXPECT_EQ(loaded->load(_variant_t(Path("latin1.xml").c_str())), VARIANT_TRUE);
  EXPECT_EQ(Text(loaded->GetdocumentElement()->Gettext()), L"\u00e4");
}

TEST_F(DocumentTest, FileFailures) {
  IXMLDOMDocument2Ptr doc = Parse(L"<A/>");
  EXPECT_EQ(doc->load(_variant_t(Path("missing.xml").c_str())), VARIANT_FALSE);
  EXPECT_LT(doc->GetparseError()->GeterrorCode(), 0);
  EXPECT_EQ(doc->GetdocumentElement(), nullptr);

  WriteFile(Path("bad.xml"), "<A>\xFF\xFE</A>");  // not UTF-8
  EXPECT_EQ(doc->load(_variant_t(Path("bad.xml").c_str())), VARIANT_FALSE);
  EXPECT_LT(doc->GetparseError()->GeterrorCode(), 0);

  try {
    doc->save(_variant_t(Path("no/such/dir.xml").c_str()));
    ADD_FAILURE() << "saving into a missing directory succeeded";
  } catch (const _com_error& error) {
    EXPECT_LT(error.Error(), 0);
    EXPECT_FALSE(Text(error.Description()).empty());
  }
  VARIANT not_a_path;
  not_a_path.vt = VT_I4;
  not_a_path.lVal = 3;
  EXPECT_EQ(doc->save(not_a_path), E_INVALIDARG);
}

TEST_F(DocumentTest, HostileInputIsRefusedWithoutReadingFiles) {
  const std::string secret = Path("secret.txt");
  WriteFile(secret, "TOP-SECRET");
  IXMLDOMDocument2Ptr doc = NewDocument();
  const std::string external =
      "<!DOCTYPE A [<!ENTITY e SYSTEM \"file://" + secret + "\">]><A>&e;</A>";
  doc->loadXML(_bstr_t(external.c_str()));
  EXPECT_EQ(Narrow(doc->Getxml()).find("TOP-SECRET"), std::string::npos);
  if (IXMLDOMElementPtr root = doc->GetdocumentElement()) {
    EXPECT_EQ(Narrow(root->Gettext()).find("TOP-SECRET"), std::string::npos);
  }

  std::wstring laughs = L"<!DOCTYPE l [<!ENTITY l0 \"ha\">";
  for (int i = 1; i <= 12; ++i) {
    laughs += L"<!ENTITY l" + std::to_wstring(i) + L" \"";
    for (int j = 0; j < 10; ++j) laughs += L"&l" + std::to_wstring(i - 1) + L";";
    laughs += L"\">";
  }
  laughs += L"]><l>&l12;</l>";
  EXPECT_EQ(doc->loadXML(_bstr_t(laughs.c_str())), VARIANT_FALSE);
  EXPECT_LT(doc->GetparseError()->GeterrorCode(), 0);

  std::wstring deep;
  for (int i = 0; i < 100000; ++i) deep += L"<d>";
  EXPECT_EQ(doc->loadXML(_bstr_t(deep.c_str())), VARIANT_FALSE);
}

TEST_F(DocumentTest, CreateElementValidatesNamesAndBuildsDocuments) {
  IXMLDOMDocument2Ptr doc = NewDocument();
  doc->setProperty(_bstr_t(L"SelectionLanguage"), _variant_t(L"XPath"));
  EXPECT_THROW(doc->setProperty(_bstr_t(L"SelectionLanguage"), _variant_t(L"XSLPattern")),
               _com_error);
  EXPECT_EQ(doc->GetdocumentElement(), nullptr);
  IXMLDOMElementPtr root = doc->createElement(_bstr_t(L"KONTO"));
  doc->PutRefdocumentElement(root);
  EXPECT_EQ(Text(doc->Getxml()), L"<KONTO/>\r\n");
  for (const wchar_t* bad : {L"", L"1A", L"a b", L"<x>"}) {
    EXPECT_THROW(doc->createElement(_bstr_t(bad)), _com_error) << Narrow(bad);
  }
  // Replacing the document element keeps the old one usable.
  IXMLDOMElementPtr other = doc->createElement(_bstr_t(L"OTHER"));
  doc->PutRefdocumentElement(other);
  EXPECT_EQ(Text(doc->Getxml()), L"<OTHER/>\r\n");
  EXPECT_EQ(Text(root->Getxml()), L"<KONTO/>");
  // A second element cannot join the document node.
  EXPECT_THROW(doc->appendChild(root), _com_error);
}

TEST_F(DocumentTest, LargeDocumentLoads) {
  std::wstring xml = L"<KONTEN>";
  while (xml.size() < 10'000'000) xml += L"<KONTO><BLZ>12345678</BLZ><NAME>Name</NAME></KONTO>";
  xml += L"</KONTEN>";
  IXMLDOMDocument2Ptr doc = Parse(xml.c_str());
  EXPECT_GT(doc->selectNodes(_bstr_t(L"/KONTEN/KONTO"))->Getlength(), 100000);
}

TEST_F(DocumentTest, ReloadingReplacesTheTreeButOldNodesKeepTheirs) {
  IXMLDOMDocument2Ptr doc = Parse(L"<OLD><X>1</X></OLD>");
  IXMLDOMNodePtr x = doc->selectSingleNode(_bstr_t(L"OLD/X"));
  ASSERT_EQ(doc->loadXML(_bstr_t(L"<NEW/>")), VARIANT_TRUE);
  EXPECT_EQ(Text(doc->Getxml()), L"<NEW/>\r\n");
  // The old node still sees its own tree, presented by another document object.
  IXMLDOMDocumentPtr old_owner = x->GetownerDocument();
  EXPECT_NE(static_cast<IUnknown*>(old_owner), static_cast<IUnknown*>(IXMLDOMDocumentPtr(doc)));
  EXPECT_EQ(Text(old_owner->Getxml()), L"<OLD><X>1</X></OLD>\r\n");
  // Nodes move from the old tree into the new one.
  doc->GetdocumentElement()->appendChild(x);
  EXPECT_EQ(Text(doc->Getxml()), L"<NEW><X>1</X></NEW>\r\n");
  EXPECT_EQ(Text(old_owner->Getxml()), L"<OLD/>\r\n");
}

TEST_F(DocumentTest, TopLevelNodesSettingsAndProperties) {
  IXMLDOMDocument2Ptr doc =
      Parse(L"<?xml version=\"1.0\" standalone=\"yes\"?><!--head--><R/><?done x?>");
  EXPECT_EQ(Text(doc->Getxml()),
            L"<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<!--head-->\r\n<R/>\r\n<?done x?>\r\n");
  EXPECT_EQ(doc->Getasync(), VARIANT_TRUE);
  doc->Putasync(VARIANT_FALSE);
  doc->PutvalidateOnParse(VARIANT_FALSE);
  doc->PutresolveExternals(VARIANT_FALSE);
  EXPECT_EQ(doc->Getasync(), VARIANT_FALSE);
  EXPECT_EQ(Text(_bstr_t(doc->getProperty(_bstr_t(L"SelectionLanguage")).bstrVal, true)), L"XPath");
  EXPECT_THROW(doc->setProperty(_bstr_t(L"NoSuchProperty"), _variant_t(L"x")), _com_error);
}

TEST_F(DocumentTest, ParseErrorOfAFileNamesItAndCountsCharacters) {
  const std::string path = Path("broken.xml");
  WriteFile(path, "<A>\n  <B>\xC3\xA4</C>\n</A>");
  IXMLDOMDocument2Ptr doc = NewDocument();
  EXPECT_EQ(doc->load(_variant_t(path.c_str())), VARIANT_FALSE);
  IXMLDOMParseErrorPtr error = doc->GetparseError();
  EXPECT_EQ(Narrow(error->Geturl()), path);
  EXPECT_EQ(Text(error->GetsrcText()), L"  <B>\u00e4</C>");
  EXPECT_EQ(error->Getline(), 2);
  EXPECT_GT(error->Getfilepos(), 4);
  // Success leaves a clean error object.
  doc->loadXML(_bstr_t(L"<A/>"));
  EXPECT_EQ(Text(doc->GetparseError()->Getreason()), L"");
  EXPECT_EQ(doc->GetparseError()->Getline(), 0);
}

TEST_F(DocumentTest, InternalEntitiesExpandInTextButStayReferencesInXml) {
  IXMLDOMDocument2Ptr doc = Parse(L"<!DOCTYPE A [<!ENTITY co \"Bank &amp; Co\">]><A>&co;!</A>");
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  EXPECT_EQ(Text(root->Gettext()), L"Bank & Co!");
  EXPECT_EQ(Text(root->Getxml()), L"<A>&co;!</A>");
  EXPECT_EQ(root->GetfirstChild()->GetnodeType(), NODE_ENTITY_REFERENCE);
}

}  // namespace
}  // namespace ebank::platform::msxml_test
