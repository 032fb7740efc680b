#include "ebank/platform/msxml/xsl_template.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ebank/platform/msxml/testing/msxml_test_support.h"

namespace ebank::platform::msxml_test {
namespace {

class XslTest : public XmlTest {
 protected:
  static IXSLTemplatePtr NewTemplate() {
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID(L"MSXML2.XSLTemplate", &clsid), S_OK);
    IXSLTemplate* raw = nullptr;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, 7, IID_IXSLTemplate, reinterpret_cast<void**>(&raw)),
              S_OK);
    return IXSLTemplatePtr(raw, false);
  }
};

constexpr const wchar_t* kToText =
    L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    L"<xsl:output method=\"text\" encoding=\"ISO-8859-1\"/>"
    L"<xsl:template match=\"/\"><xsl:for-each select=\"//V\">"
    L"<xsl:sort select=\".\" data-type=\"number\"/>[<xsl:value-of select=\".\"/>]"
    L"</xsl:for-each></xsl:template></xsl:stylesheet>";

constexpr const wchar_t* kToXml =
    L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    L"<xsl:output method=\"xml\" omit-xml-declaration=\"yes\"/>"
    L"<xsl:template match=\"/R\"><OUT n=\"{count(V)}\"><xsl:value-of select=\"V[1]\"/></OUT>"
    L"</xsl:template></xsl:stylesheet>";

constexpr const wchar_t* kInput = L"<R><V>3</V><V>1</V><V>\u00e4&amp;</V></R>";

TEST_F(XslTest, TransformNodeProducesTextAndLeavesTheInputAlone) {
  IXMLDOMDocument2Ptr doc = Parse(kInput);
  const std::wstring before = Text(doc->Getxml());
  EXPECT_EQ(Text(doc->transformNode(Parse(kToText))), L"[\u00e4&][1][3]");
  EXPECT_EQ(Text(doc->transformNode(Parse(kToXml))), L"<OUT n=\"3\">3</OUT>\n");
  EXPECT_EQ(Text(doc->Getxml()), before);
  // The element numbering done for the transformation does not disturb later
  // selections after edits.
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  root->appendChild(root->selectSingleNode(_bstr_t(L"V")));
  EXPECT_EQ(Text(root->selectNodes(_bstr_t(L"V"))->Getitem(2)->Gettext()), L"3");
}

TEST_F(XslTest, TemplateProcessorRunsRepeatedly) {
  IXSLTemplatePtr xsl_template = NewTemplate();
  IXSLProcessor* none = nullptr;
  EXPECT_EQ(xsl_template->createProcessor(&none), E_UNEXPECTED);

  IXMLDOMDocument2Ptr style = Parse(kToText);
  xsl_template->PutRefstylesheet(style);
  // Later edits of the style sheet document do not reach the compiled form.
  style->GetdocumentElement()->Puttext(_bstr_t(L"broken"));

  IXSLProcessorPtr processor = xsl_template->createProcessor();
  EXPECT_THROW(processor->transform(), _com_error);
  processor->Putinput(_variant_t(static_cast<IDispatch*>(IXMLDOMDocumentPtr(Parse(kInput)))));
  EXPECT_EQ(processor->transform(), VARIANT_TRUE);
  _variant_t output = processor->Getoutput();
  ASSERT_EQ(output.vt, VT_BSTR);
  EXPECT_EQ(Text(_bstr_t(output.bstrVal, true)), L"[\u00e4&][1][3]");

  processor->reset();
  processor->Putinput(_variant_t(static_cast<IDispatch*>(Parse(L"<R><V>7</V></R>"))));
  processor->transform();
  EXPECT_EQ(Text(_bstr_t(processor->Getoutput().bstrVal, true)), L"[7]");
}

TEST_F(XslTest, InvalidAndHostileStyleSheetsFail) {
  IXSLTemplatePtr xsl_template = NewTemplate();
  EXPECT_THROW(xsl_template->PutRefstylesheet(Parse(L"<not-a-stylesheet/>")), _com_error);
  EXPECT_THROW(xsl_template->PutRefstylesheet(nullptr), _com_error);
  IXMLDOMDocument2Ptr doc = Parse(kInput);
  EXPECT_THROW(doc->transformNode(Parse(L"<x/>")), _com_error);

  // document() may not read files.
  const std::filesystem::path secret = std::filesystem::temp_directory_path() /
                                       ("ebank-xsl-secret-" + std::to_string(getpid()) + ".xml");
  std::ofstream(secret) << "<S>TOP-SECRET</S>";
  const std::wstring reader =
      L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
      L"<xsl:output method=\"text\"/><xsl:template match=\"/\">[<xsl:value-of select=\"document('" +
      secret.wstring() + L"')\"/>]</xsl:template></xsl:stylesheet>";
  std::wstring output;
  try {
    output = Text(doc->transformNode(Parse(reader.c_str())));
  } catch (const _com_error&) {
    output = L"refused";
  }
  std::filesystem::remove(secret);
  EXPECT_EQ(output.find(L"TOP-SECRET"), std::wstring::npos);

  // xsl:message terminate stops the run.
  const wchar_t* reads_file =
      L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
      L"<xsl:output method=\"text\"/><xsl:template match=\"/\">"
      L"<xsl:value-of select=\"document('/nonexistent/x.xml')\"/>"
      L"<xsl:message terminate=\"yes\">stop</xsl:message></xsl:template></xsl:stylesheet>";
  try {
    doc->transformNode(Parse(reads_file));
    ADD_FAILURE() << "a terminating style sheet succeeded";
  } catch (const _com_error& error) {
    EXPECT_EQ(error.Error(), E_FAIL);
  }
}

}  // namespace
}  // namespace ebank::platform::msxml_test
