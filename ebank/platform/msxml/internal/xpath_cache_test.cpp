#include <string>
#include <thread>
#include <utility>

#include "ebank/platform/msxml/testing/msxml_test_support.h"

namespace ebank::platform::msxml_test {
namespace {

class XPathCacheTest : public XmlTest {
 protected:
  // The text of the first node `xpath` selects from `context`.
  static std::wstring Selected(IXMLDOMNode* context, const std::wstring& xpath) {
    IXMLDOMNodePtr node = context->selectSingleNode(_bstr_t(xpath.c_str()));
    return node != nullptr ? Text(node->Gettext()) : L"<none>";
  }
};

constexpr const wchar_t* kTwoAccounts =
    L"<R><K><ID>1</ID><NAME>first</NAME></K><K><ID>2</ID><NAME>second</NAME></K></R>";

// A kept expression is evaluated anew from each context node and document,
// not answered with the nodes of its first use.
TEST_F(XPathCacheTest, RepeatedPathFollowsTheContextNode) {
  IXMLDOMDocument2Ptr doc = Parse(kTwoAccounts);
  IXMLDOMNodeListPtr accounts = doc->GetdocumentElement()->selectNodes(_bstr_t(L"K"));
  ASSERT_EQ(accounts->Getlength(), 2);
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(Selected(accounts->Getitem(0), L"NAME"), L"first");
    EXPECT_EQ(Selected(accounts->Getitem(1), L"NAME"), L"second");
    EXPECT_EQ(Selected(accounts->Getitem(1), L"../K[1]/ID"), L"1");
  }
  // The same text on another document is that document's answer, for
  // absolute paths too, on this thread and on another one.
  IXMLDOMDocument2Ptr other = Parse(L"<R><K><NAME>elsewhere</NAME></K></R>");
  for (const wchar_t* path : {L"K/NAME", L"/R/K/NAME"}) {
    EXPECT_EQ(Selected(other->GetdocumentElement(), path), L"elsewhere");
    EXPECT_EQ(Selected(doc->GetdocumentElement(), path), L"first");
    EXPECT_EQ(Selected(other->GetdocumentElement(), path), L"elsewhere");
  }
  std::wstring on_other_thread;
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    on_other_thread = Selected(other->GetdocumentElement(), L"/R/K/NAME");
    CoUninitialize();
  }).join();
  EXPECT_EQ(on_other_thread, L"elsewhere");
}

// Tree edits between uses are seen: nothing but the compiled form is kept.
TEST_F(XPathCacheTest, RepeatedPathSeesEdits) {
  IXMLDOMDocument2Ptr doc = Parse(kTwoAccounts);
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  EXPECT_EQ(root->selectNodes(_bstr_t(L"K"))->Getlength(), 2);
  root->removeChild(root->GetfirstChild());
  EXPECT_EQ(root->selectNodes(_bstr_t(L"K"))->Getlength(), 1);
  EXPECT_EQ(Selected(root, L"K/NAME"), L"second");
}

TEST_F(XPathCacheTest, InvalidPathFailsEveryTimeWithoutSpoilingOthers) {
  IXMLDOMDocument2Ptr doc = Parse(kTwoAccounts);
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  for (int round = 0; round < 2; ++round) {
    EXPECT_THROW(root->selectSingleNode(_bstr_t(L"K[")), _com_error);
    EXPECT_THROW(root->selectNodes(_bstr_t(L"count(K)")), _com_error);
    EXPECT_THROW(root->selectNodes(_bstr_t(L"unknown-function(K)")), _com_error);
    EXPECT_EQ(Selected(root, L"K[2]/ID"), L"2");
  }
}

// libxml2's reason reaches the caller's error each time, for a path that
// fails to compile and for one that fails while it runs, and none of it is
// printed.
TEST_F(XPathCacheTest, InvalidPathReportsItsReasonToTheCallerOnly) {
  IXMLDOMDocument2Ptr doc = Parse(kTwoAccounts);
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"K[", L"Invalid expression (K[)"},
      {L"unknown-function(K)",
       L"xmlXPathCompOpEval: function unknown-function not found (unknown-function(K))"}};
  for (int round = 0; round < 2; ++round) {
    for (const auto& [path, reason] : cases) {
      testing::internal::CaptureStderr();
      std::wstring description;
      try {
        root->selectNodes(_bstr_t(path));
      } catch (const _com_error& error) {
        description = Text(error.Description());
      }
      EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
      EXPECT_EQ(description, reason);
    }
  }
}

// Far more distinct paths than are kept, each asked twice: every answer
// stays right while older expressions are dropped (the address sanitizer
// catches a dropped expression still in use).
TEST_F(XPathCacheTest, ManyDistinctPathsStayCorrect) {
  std::wstring xml = L"<R>";
  for (int i = 1; i <= 300; ++i) xml += L"<V>" + std::to_wstring(i * 7) + L"</V>";
  IXMLDOMDocument2Ptr doc = Parse((xml + L"</R>").c_str());
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 1; i <= 300; ++i) {
      ASSERT_EQ(Selected(root, L"V[" + std::to_wstring(i) + L"]"), std::to_wstring(i * 7));
    }
  }
}

// Paths too long to be kept are evaluated all the same.
TEST_F(XPathCacheTest, LongPathIsEvaluated) {
  IXMLDOMDocument2Ptr doc = Parse(kTwoAccounts);
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  const std::wstring padded = std::wstring(3000, L' ') + L"K[2]/NAME";
  EXPECT_EQ(Selected(root, padded), L"second");
  EXPECT_EQ(Selected(root, padded), L"second");
  EXPECT_THROW(root->selectSingleNode(_bstr_t((padded + L"[").c_str())), _com_error);
}

}  // namespace
}  // namespace ebank::platform::msxml_test
