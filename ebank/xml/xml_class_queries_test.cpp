#include <cstdint>

#include "ebank/core/error_info_exception.h"
#include "ebank/platform/hresult.h"
#include "ebank/xml/testing/xml_test_fixture.h"
#include "ebank/xml/xml_class.h"
#include "gmock/gmock.h"

namespace ddXML {
namespace {

using testing::ComErrorOf;
using testing::DdComErrorOf;
using testing::Text;

class XmlQueryTest : public testing::XmlTest {
 protected:
  static constexpr wchar_t kTransactions[] =
      L"<TRANSACTIONS>"
      L"<TRANSACTION><SENDER><NAME>Anna</NAME></SENDER><PURPOSE>one</PURPOSE>"
      L"<AMOUNT><VALUE PREFIX='-' CURRENCY='EUR'>12.50</VALUE></AMOUNT>"
      L"<DATE_CREATION><DATE DAY='5' MONTH='11' YEAR='2007'/></DATE_CREATION></TRANSACTION>"
      L"<TRANSACTION><PURPOSE>two</PURPOSE><EMPTY><INNER/></EMPTY>"
      L"<AMOUNT><VALUE PREFIX='+'>1234.5678</VALUE></AMOUNT>"
      L"<DATE_CREATION><DATE DAY='' MONTH='' YEAR=''/></DATE_CREATION></TRANSACTION>"
      L"<VALUE PREFIX='-'>-3</VALUE><NOSIGN>4</NOSIGN><TEXT>ABCDE</TEXT><NUMBER> -42x</NUMBER>"
      L"</TRANSACTIONS>";
  CXmlClass xml_{kTransactions};
};

TEST_F(XmlQueryTest, PathsAreRelativeToTheRootElement) {
  CXmlClass account(L"<ACCOUNT><FI NAME='Bank'/></ACCOUNT>");
  EXPECT_NE(account.getNode(L"FI"), nullptr);
  EXPECT_EQ(account.getNode(L"ACCOUNT/FI"), nullptr);
  EXPECT_NE(account.getNode(L"//FI"), nullptr);
  EXPECT_NE(account.getNode(L"/ACCOUNT/FI"), nullptr);

  // A parent path is joined in front of the path.
  EXPECT_EQ(Text(xml_.getNodeText(L"NAME", L"TRANSACTION/SENDER")), L"Anna");
  EXPECT_TRUE(xml_.getNodeText(L"NAME").IsNothing());
  EXPECT_TRUE(xml_.isNodeFound(L"NAME", L"TRANSACTION/SENDER"));
  EXPECT_FALSE(xml_.isNodeFound(L"NAME"));
}

TEST_F(XmlQueryTest, FormattedPathForms) {
  EXPECT_EQ(Text(xml_.getNodeTextEx(L"TRANSACTION[%d]/PURPOSE", 2)), L"two");
  EXPECT_EQ(Text(xml_.getNodeTextEx(L"%s[%d]/PURPOSE", L"TRANSACTION", 1)), L"one");
  EXPECT_NE(xml_.getNodeEx(L"TRANSACTION[%d]", 2), nullptr);
  EXPECT_EQ(xml_.getNodeEx(L"TRANSACTION[%d]", 3), nullptr);
  EXPECT_TRUE(xml_.isNodeFoundEx(L"TRANSACTION[%d]/EMPTY", 2));
  EXPECT_FALSE(xml_.isNodeFoundEx(L"TRANSACTION[%d]/EMPTY", 1));
  EXPECT_EQ(xml_.getNodesEx(L"TRANSACTION[%d]/*", 1)->Getlength(), 4);

  // Null and empty formats answer "not found" without looking at the object.
  CXmlClass empty;
  EXPECT_TRUE(empty.getNodeTextEx(nullptr).IsNothing());
  EXPECT_TRUE(empty.getNodeTextEx(L"").IsNothing());
  EXPECT_EQ(empty.getNodeEx(nullptr), nullptr);
  EXPECT_FALSE(empty.isNodeFoundEx(L""));
  EXPECT_EQ(empty.getNodesEx(nullptr), nullptr);
}

// What a query gives, or the HRESULT it raises, as text.
template <typename Query>
std::wstring OutcomeOf(Query query) {
  try {
    return L"result " + query();
  } catch (const ddCOM::Exception& error) {
    return L"ddCOM error " + std::to_wstring(error.HResult());
  } catch (const _com_error& error) {
    return L"COM error " + std::to_wstring(error.Error());
  }
}

std::wstring Describe(const IXMLDOMNodePtr& node) {
  return node == nullptr ? L"null" : std::wstring(node->GetnodeName());
}

TEST_F(XmlQueryTest, AFormatWhoseOutputIsEmptyQueriesTheEmptyPath) {
  CXmlClass empty;
  CXmlClass rootless;
  EXPECT_THROW(rootless.loadXML(L"<broken"), ddCOM::Exception);
  for (const CXmlClass* xml : {&xml_, &empty, &rootless}) {
    const auto same = [&](auto plain, auto formatted) {
      EXPECT_EQ(OutcomeOf(formatted), OutcomeOf(plain));
    };
    same([&] { return Text(xml->getNodeText(L"")); },
         [&] { return Text(xml->getNodeTextEx(L"%s", L"")); });
    same([&] { return Describe(xml->getNode(L"")); },
         [&] { return Describe(xml->getNodeEx(L"%s", L"")); });
    same([&] { return std::to_wstring(xml->isNodeFound(L"")); },
         [&] { return std::to_wstring(xml->isNodeFoundEx(L"%s", L"")); });
    same([&] { return std::to_wstring(xml->getNodes(L"")->Getlength()); },
         [&] { return std::to_wstring(xml->getNodesEx(L"%s", L"")->Getlength()); });
  }
  EXPECT_EQ(DdComErrorOf([&] { empty.getNodeTextEx(L"%s", L""); }), E_INVALIDARG);
  EXPECT_LT(ComErrorOf([&] { xml_.getNodeTextEx(L"%s", L""); }), 0) << "no XPath expression";
}

TEST_F(XmlQueryTest, NodeListsAndCounts) {
  IXMLDOMNodeListPtr purposes = xml_.getNodes(L"TRANSACTION/PURPOSE");
  ASSERT_EQ(purposes->Getlength(), 2);
  EXPECT_EQ(purposes->Getitem(1)->Gettext(), _bstr_t(L"two"));
  EXPECT_EQ(xml_.getNrOfNodes(L"TRANSACTION"), 2);
  EXPECT_EQ(xml_.getNrOfNodes(L"NOTHING"), 0);
  EXPECT_EQ(xml_.getNodes(L"NOTHING")->Getlength(), 0);
}

TEST_F(XmlQueryTest, TextsNumbersAndTheirLimits) {
  EXPECT_EQ(Text(xml_.getNodeText(L"TEXT", 3)), L"ABC");
  EXPECT_EQ(Text(xml_.getNodeText(L"TEXT", -1)), L"ABCDE");
  EXPECT_TRUE(xml_.getNodeText(L"TEXT", 0).IsEmpty());
  EXPECT_EQ(xml_.getNodeLong(L"NUMBER"), -42);
  EXPECT_EQ(xml_.getNodeLong(L"TEXT"), 0);
  EXPECT_EQ(xml_.getNodeLong(L"MISSING"), 0);
  EXPECT_TRUE(xml_.getNodeText(L"MISSING").IsNothing());
  // The text of an element is that of all its descendants.
  EXPECT_EQ(Text(xml_.getNodeText(L"TRANSACTION[1]/SENDER")), L"Anna");
  EXPECT_TRUE(xml_.isNodeFoundAndNotEmpty(L"TEXT"));
  EXPECT_FALSE(xml_.isNodeFoundAndNotEmpty(L"TRANSACTION[2]/EMPTY"));
  EXPECT_FALSE(xml_.isNodeFoundAndNotEmpty(L"MISSING"));
}

TEST_F(XmlQueryTest, HandedOutStrings) {
  EXPECT_STREQ(xml_.getNodeBSTR(L"TEXT"), L"ABCDE");
  EXPECT_STREQ(xml_.getNodeBSTR(L"TEXT", 2), L"AB");
  wchar_t* missing = xml_.getNodeBSTR(L"MISSING");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(SysStringLen(missing), 0u);
  EXPECT_EQ(xml_.getNodeBSTR(L"MISSING", 10), nullptr);
  EXPECT_EQ(xml_.getNodeBSTR(L"TEXT", 0), nullptr);

  EXPECT_STREQ(xml_.getNodeAttrBSTR(L"VALUE", L"CURRENCY", L"TRANSACTION/AMOUNT"), L"EUR");
  EXPECT_STREQ(xml_.getNodeAttrBSTR(L"VALUE", L"currency", L"TRANSACTION/AMOUNT"), L"");
  EXPECT_STREQ(xml_.getNodeAttrBSTR(L"TEXT", L"NONE"), L"");
  EXPECT_STREQ(xml_.getNodeAttrBSTR(L"MISSING", L"NONE"), L"");
  // A node that carries no attributes at all answers like a missing one.
  EXPECT_STREQ(xml_.getNodeAttrBSTR(L"TEXT/text()", L"NONE"), L"");
  EXPECT_EQ(xml_.getNodeAttrLong(L"TRANSACTION/DATE_CREATION/DATE", L"YEAR"), 2007);
  EXPECT_EQ(xml_.getNodeAttrLong(L"TEXT", L"NONE"), 0);
}

TEST_F(XmlQueryTest, AmountsCarryTheirSignInPrefix) {
  EXPECT_EQ(xml_.getNodeCurrency(L"TRANSACTION[1]/AMOUNT/VALUE").int64, -125000);
  EXPECT_EQ(xml_.getNodeCurrency(L"TRANSACTION[2]/AMOUNT/VALUE").int64, 12345678);
  // The sign of the text is kept, PREFIX "-" turns it round.
  EXPECT_EQ(xml_.getNodeCurrency(L"VALUE").int64, 30000);
  EXPECT_EQ(xml_.getNodeCurrency(L"MISSING").int64, 0);
  EXPECT_EQ(ComErrorOf([&] { xml_.getNodeCurrency(L"NOSIGN"); }), E_POINTER);
  EXPECT_LT(DdComErrorOf([&] { xml_.getNodeCurrency(L"TEXT"); }), 0);

  CXmlClass extreme(L"<A><V PREFIX='-'>-922337203685477.5808</V><W PREFIX='+'>1e999</W></A>");
  EXPECT_THROW(extreme.getNodeCurrency(L"V"), ddCOM::ErrorInfo);
  EXPECT_THROW(extreme.getNodeCurrency(L"W"), ddCOM::ErrorInfo);
}

TEST_F(XmlQueryTest, DatesComeFromTheirAttributes) {
  const SYSTEMTIME date = xml_.getNodeDate(L"TRANSACTION/DATE_CREATION/DATE");
  EXPECT_EQ(date.wYear, 2007);
  EXPECT_EQ(date.wMonth, 11);
  EXPECT_EQ(date.wDay, 5);
  EXPECT_EQ(date.wDayOfWeek + date.wHour + date.wMinute + date.wSecond + date.wMilliseconds, 0);
  const SYSTEMTIME blank = xml_.getNodeDate(L"DATE", L"TRANSACTION[2]/DATE_CREATION");
  EXPECT_EQ(blank.wYear + blank.wMonth + blank.wDay, 0);
  const SYSTEMTIME missing = xml_.getNodeDate(L"MISSING");
  EXPECT_EQ(missing.wYear + missing.wMonth + missing.wDay, 0);
}

TEST_F(XmlQueryTest, MissingDocumentOrRootFollowsTheFailureTable) {
  CXmlClass empty;
  CXmlClass rootless;
  EXPECT_THROW(rootless.loadXML(L"<broken"), ddCOM::Exception);
  for (CXmlClass* xml : {&empty, &rootless}) {
    EXPECT_EQ(xml->getNode(L"A"), nullptr);
    EXPECT_FALSE(xml->isNodeFound(L"A"));
    EXPECT_FALSE(xml->isNodeFoundEx(L"A"));
    EXPECT_FALSE(xml->isNodeFoundAndNotEmpty(L"A"));
    EXPECT_STREQ(xml->getNodeAttrBSTR(L"A", L"B"), L"");
    EXPECT_EQ(xml->getNodeAttrLong(L"A", L"B"), 0);
    EXPECT_EQ(xml->getNodeCurrency(L"A").int64, 0);
    EXPECT_EQ(xml->getNodeDate(L"A").wYear, 0);
    EXPECT_EQ(ComErrorOf([&] { xml->getNodes(L"A"); }), E_POINTER);
    EXPECT_EQ(ComErrorOf([&] { xml->getNrOfNodes(L"A"); }), E_POINTER);
    EXPECT_EQ(ComErrorOf([&] { xml->getNodesEx(L"A"); }), E_POINTER);
  }
  EXPECT_EQ(DdComErrorOf([&] { empty.getNodeText(L"A"); }), E_INVALIDARG);
  EXPECT_EQ(DdComErrorOf([&] { empty.getNodeLong(L"A"); }), E_INVALIDARG);
  EXPECT_EQ(DdComErrorOf([&] { empty.getNodeBSTR(L"A"); }), E_INVALIDARG);
  EXPECT_EQ(DdComErrorOf([&] { empty.getNodeTextEx(L"A"); }), E_INVALIDARG);
  EXPECT_EQ(ComErrorOf([&] { rootless.getNodeText(L"A"); }), E_POINTER);
  EXPECT_EQ(ComErrorOf([&] { rootless.getNodeBSTR(L"A", 3); }), E_POINTER);
}

TEST_F(XmlQueryTest, InvalidXPathRaisesComError) {
  for (const wchar_t* path : {L"TRANSACTION[", L"//", L"@@", L"count(", L"A B"}) {
    EXPECT_LT(ComErrorOf([&] { xml_.getNode(path); }), 0) << path;
    EXPECT_LT(ComErrorOf([&] { xml_.getNodes(path); }), 0) << path;
  }
}

}  // namespace
}  // namespace ddXML
