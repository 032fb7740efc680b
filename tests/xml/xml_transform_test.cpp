#include "ebank/core/error.h"
#include "ebank/core/error_info_exception.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/module.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gmock/gmock.h"

namespace ddXML {
namespace {

using testing::ComErrorOf;
using testing::DdComErrorOf;
using ::testing::HasSubstr;
using testing::Text;

// Identifiers of the style sheets this program carries as "XSL" resources.
constexpr int kAccountsToList = 101;
constexpr int kLatin1Text = 102;
constexpr int kNotWellFormed = 103;
constexpr int kTerminates = 104;
constexpr int kEmptyOutput = 105;
constexpr int kMissing = 999;

class XmlTransformTest : public testing::XmlTest {
 protected:
  HINSTANCE module_ = GetModuleHandleA(nullptr);
  CXmlClass accounts_{
      L"<KONTEN><KONTO><NR>1</NR><NAME>Anna</NAME></KONTO>"
      L"<KONTO><NR>2</NR><NAME>Bea &amp; Co</NAME></KONTO></KONTEN>"};
};

TEST_F(XmlTransformTest, TransformReturnsTheOutputAndKeepsTheDocument) {
  const std::wstring before = Text(accounts_.getXml());
  const std::wstring output = Text(accounts_.transform(kAccountsToList, module_));
  EXPECT_THAT(output, HasSubstr(L"<LIST count=\"2\"><ITEM nr=\"1\">Anna</ITEM>"
                                L"<ITEM nr=\"2\">Bea &amp; Co</ITEM></LIST>"));
  EXPECT_EQ(Text(accounts_.getXml()), before);
}

TEST_F(XmlTransformTest, TransformMeReplacesTheDocumentAndForgetsTheFile) {
  const std::string path = PathOf("accounts.xml");
  WriteFile(path, "<KONTEN><KONTO><NR>7</NR><NAME>Carl</NAME></KONTO></KONTEN>");
  CXmlClass xml;
  xml.load(path.c_str());
  xml.transformMe(kAccountsToList, module_);
  EXPECT_EQ(Text(xml.getNodeText(L"ITEM[@nr='7']")), L"Carl");
  EXPECT_EQ(xml.getNodeAttrLong(L".", L"count"), 1);
  EXPECT_NE(ComErrorOf([&] { xml.save(); }), 0) << "the file name went with the old document";
  EXPECT_THAT(ReadFile(path), HasSubstr("<KONTEN>"));
}

TEST_F(XmlTransformTest, StyleSheetBytesAreReadAsLatin1) {
  CXmlClass xml(L"<A><NAME>Dora</NAME></A>");
  EXPECT_EQ(Text(xml.transform(kLatin1Text, module_)), L"Gr\u00FC\u00DFe an Dora (M\u00E4rz)");
}

TEST_F(XmlTransformTest, BadStyleSheetsRaiseAndLeaveTheDocument) {
  const std::wstring before = Text(accounts_.getXml());
  EXPECT_LT(DdComErrorOf([&] { accounts_.transform(kNotWellFormed, module_); }), 0);
  EXPECT_THROW(accounts_.transform(kNotWellFormed, module_), ddCOM::Error);
  // A missing resource is an empty style sheet, which does not parse.
  EXPECT_THROW(accounts_.transformMe(kMissing, module_), ddCOM::Error);
  EXPECT_LT(ComErrorOf([&] { accounts_.transform(kTerminates, module_); }), 0);
  EXPECT_EQ(Text(accounts_.getXml()), before);
}

TEST_F(XmlTransformTest, EmptyOutputLeavesTransformMeWithoutEffect) {
  const std::wstring before = Text(accounts_.getXml());
  EXPECT_TRUE(accounts_.transform(kEmptyOutput, module_).IsEmpty());
  accounts_.transformMe(kEmptyOutput, module_);
  EXPECT_EQ(Text(accounts_.getXml()), before);
}

TEST_F(XmlTransformTest, ValueToGermanNotationRewritesAmountsBelowTheRoot) {
  CXmlClass xml(
      L"<TRANSACTION><AMOUNT><VALUE PREFIX='-'>1234.5</VALUE></AMOUNT><VALUE>7</VALUE>"
      L"<A><B><C><VALUE PREFIX='+'>-3.456</VALUE></C></B></A><OTHER>1.5</OTHER></TRANSACTION>");
  xml.ValueToGermanNotation();
  const std::wstring text = Text(xml.getXml());
  EXPECT_THAT(text, HasSubstr(L"<VALUE PREFIX=\"-\">1234,50</VALUE>"));
  EXPECT_THAT(text, HasSubstr(L"<VALUE>7,00</VALUE>"));
  EXPECT_THAT(text, HasSubstr(L"<VALUE PREFIX=\"+\">-3,46</VALUE>"));
  EXPECT_THAT(text, HasSubstr(L"<OTHER>1.5</OTHER>"));

  CXmlClass root(L"<VALUE>1.5</VALUE>");
  root.ValueToGermanNotation();
  EXPECT_EQ(Text(root.getNodeText(L".")), L"1.5") << "the root element is not below itself";
  CXmlClass none(L"<A><B>1.5</B></A>");
  const std::wstring unchanged = Text(none.getXml());
  none.ValueToGermanNotation();
  EXPECT_EQ(Text(none.getXml()), unchanged);
}

TEST_F(XmlTransformTest, ValueToGermanNotationFailures) {
  CXmlClass xml(L"<A><VALUE>1.5</VALUE><VALUE>abc</VALUE><VALUE>2</VALUE></A>");
  EXPECT_THROW(xml.ValueToGermanNotation(), ddCOM::ErrorInfo);
  EXPECT_EQ(Text(xml.getNodeText(L"VALUE[1]")), L"1,50") << "earlier amounts stay rewritten";
  EXPECT_EQ(Text(xml.getNodeText(L"VALUE[3]")), L"2");
  EXPECT_EQ(ComErrorOf([] { CXmlClass().ValueToGermanNotation(); }), E_POINTER);
}

}  // namespace
}  // namespace ddXML
