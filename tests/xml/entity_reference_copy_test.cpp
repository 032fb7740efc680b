// Elements holding references to the entities of an internal DTD, copied
// into documents of their own by CXmlClass and read by Account_Info: the copy
// reads the entity's text and everything frees cleanly.
#include <memory>
#include <string>

#include "ebank/banking/account_info.h"
#include "ebank/core/error.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gmock/gmock.h"

namespace ddXML {
namespace {

using ::testing::HasSubstr;
using testing::Text;

constexpr const wchar_t* kAccountInfo =
    L"<!DOCTYPE ACCOUNT_INFO [<!ENTITY b '12345678'><!ENTITY bank 'Bank &amp; Co'>]>"
    L"<ACCOUNT_INFO TYPE=\"HBCI\"><NAME>Giro</NAME><ACCOUNT>"
    L"<ACCOUNTID CURRENCY=\"EUR\" NAME=\"&bank;\">0815</ACCOUNTID>"
    L"<FI NAME=\"&bank;\" COUNTRY=\"280\">&b;</FI></ACCOUNT></ACCOUNT_INFO>";

class EntityReferenceCopyTest : public testing::XmlTest {};

TEST_F(EntityReferenceCopyTest, CopyOfANodeReadsTheEntityText) {
  auto source = std::make_unique<CXmlClass>(kAccountInfo);
  CXmlClass fi(source->getNode(L"ACCOUNT/FI"));
  CXmlClass whole(source->getNode(L"."));
  CXmlClass target(L"<T/>");
  target.appendChild(L".", source->getNode(L"ACCOUNT"));
  target.appendChild(L".", fi);
  source.reset();  // the copies own nothing of the source

  EXPECT_EQ(Text(fi.getNodeText(L".")), L"12345678");
  EXPECT_EQ(Text(fi.getNodeText(L"@NAME")), L"Bank & Co");
  EXPECT_EQ(Text(whole.getNodeText(L"ACCOUNT/FI")), L"12345678");
  EXPECT_EQ(Text(target.getNodeText(L"ACCOUNT/FI")), L"12345678");
  EXPECT_EQ(Text(target.getNodeText(L"FI")), L"12345678");
  EXPECT_EQ(Text(fi.getXml()), L"<FI NAME=\"Bank &amp; Co\" COUNTRY=\"280\">12345678</FI>\r\n");
  // The copies write text that parses on its own again.
  CXmlClass again(target.getXml());
  EXPECT_EQ(Text(again.getNodeText(L"ACCOUNT/ACCOUNTID/@NAME")), L"Bank & Co");
}

TEST_F(EntityReferenceCopyTest, AccountInfoReadsEntityTextOfItsNode) {
  CXmlClass xml(kAccountInfo);
  const Account_Info info(xml.getNode(L"."));
  EXPECT_EQ(Text(info.GetBLZ()), L"12345678");
  EXPECT_EQ(Text(info.GetBankName()), L"Bank & Co");
  EXPECT_EQ(Text(info.GetAccountName()), L"Bank & Co");
  EXPECT_EQ(Text(info.GetKNR()), L"0815");
  EXPECT_TRUE(info.IsHBCI());
  // The node's own XML keeps its references, as the document writes them.
  EXPECT_THAT(Text(info.GetXML()), HasSubstr(L"<FI NAME=\"&bank;\" COUNTRY=\"280\">&b;</FI>"));
}

TEST_F(EntityReferenceCopyTest, ParseErrorTextBreaksTheLineBeforeTheSource) {
  CXmlClass xml;
  try {
    xml.loadXML(L"<KONTO><BLZ>12345678");
    ADD_FAILURE() << "malformed text was accepted";
  } catch (const ddCOM::Error& error) {
    BSTR description = error.Description();
    const std::wstring text(description != nullptr ? description : L"");
    SysFreeString(description);
    EXPECT_THAT(text, HasSubstr(L" line 1\r\nSource: <KONTO><BLZ>12345678\r\nLine: 1\r\nPos: "));
  }
}

}  // namespace
}  // namespace ddXML
