#include "ebank/platform/msxml/xml_dom_node.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ebank/platform/msxml/testing/msxml_test_support.h"

namespace ebank::platform::msxml_test {
namespace {

using NodeTest = XmlTest;

constexpr const wchar_t* kAccount =
    L"<ACCOUNT><FI NAME=\"Bank\" name=\"lower\"><BLZ>100</BLZ></FI>"
    L"<TX><P>one</P></TX><TX><P>two</P></TX><TX><P>three</P></TX></ACCOUNT>";

TEST_F(NodeTest, XPathSelectsFromTheContextNodeInDocumentOrder) {
  IXMLDOMDocument2Ptr doc = Parse(kAccount);
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  EXPECT_NE(root->selectSingleNode(_bstr_t(L"FI")), nullptr);
  EXPECT_EQ(root->selectSingleNode(_bstr_t(L"ACCOUNT/FI")), nullptr);
  EXPECT_NE(root->selectSingleNode(_bstr_t(L"//FI")), nullptr);
  EXPECT_NE(doc->selectSingleNode(_bstr_t(L"ACCOUNT/FI/BLZ")), nullptr);
  EXPECT_EQ(Text(root->selectSingleNode(_bstr_t(L"TX/P"))->Gettext()), L"one");
  EXPECT_EQ(Text(root->selectSingleNode(_bstr_t(L"TX[2]/P"))->Gettext()), L"two");
  EXPECT_EQ(Text(root->selectSingleNode(_bstr_t(L"FI/@NAME"))->Gettext()), L"Bank");

  IXMLDOMNodeListPtr list = root->selectNodes(_bstr_t(L"//P"));
  ASSERT_EQ(list->Getlength(), 3);
  EXPECT_EQ(Text(list->Getitem(2)->Gettext()), L"three");
  EXPECT_EQ(list->Getitem(3), nullptr);
  EXPECT_EQ(list->Getitem(-1), nullptr);
  std::wstring walked;
  while (IXMLDOMNodePtr node = list->nextNode()) walked += Text(node->Gettext());
  EXPECT_EQ(walked, L"onetwothree");
  list->reset();
  EXPECT_EQ(Text(list->nextNode()->Gettext()), L"one");
  EXPECT_EQ(root->selectNodes(_bstr_t(L"NOTHING"))->Getlength(), 0);
}

TEST_F(NodeTest, InvalidXPathRaisesWithDescription) {
  IXMLDOMDocument2Ptr doc = Parse(kAccount);
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  for (const wchar_t* bad : {L"TX[", L"", L"count(TX)", L"//", L"a\x01b", L"$undefined"}) {
    try {
      root->selectNodes(_bstr_t(bad));
      ADD_FAILURE() << "accepted " << Narrow(bad);
    } catch (const _com_error& error) {
      EXPECT_EQ(error.Error(), E_FAIL);
      EXPECT_FALSE(Text(error.Description()).empty());
    }
    EXPECT_THROW(root->selectSingleNode(_bstr_t(bad)), _com_error);
  }
}

TEST_F(NodeTest, TextIsReadDeepAndWrittenLiterally) {
  IXMLDOMDocument2Ptr doc = Parse(L"<A>x<B>y<C>z</C></B><!--c--></A>");
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  EXPECT_EQ(Text(root->Gettext()), L"xyz");

  IXMLDOMNodePtr b = root->selectSingleNode(_bstr_t(L"B"));
  IXMLDOMNodePtr c = b->selectSingleNode(_bstr_t(L"C"));
  b->Puttext(_bstr_t(L"a & <b> 'c' \u0416"));
  EXPECT_EQ(Text(b->Gettext()), L"a & <b> 'c' \u0416");
  EXPECT_EQ(Text(b->Getxml()), L"<B>a &amp; &lt;b&gt; 'c' \u0416</B>");
  // The replaced child is detached but still usable.
  EXPECT_EQ(Text(c->Gettext()), L"z");
  EXPECT_EQ(c->GetparentNode(), nullptr);

  b->Puttext(_bstr_t(L""));
  EXPECT_EQ(Text(b->Getxml()), L"<B/>");
}

TEST_F(NodeTest, AttributesAreFoundExactlyAndSetLiterally) {
  IXMLDOMDocument2Ptr doc = Parse(kAccount);
  IXMLDOMElementPtr fi = doc->selectSingleNode(_bstr_t(L"ACCOUNT/FI"));
  ASSERT_NE(fi, nullptr);
  IXMLDOMNamedNodeMapPtr attributes = fi->Getattributes();
  EXPECT_EQ(attributes->Getlength(), 2);
  EXPECT_EQ(Text(attributes->getNamedItem(_bstr_t(L"name"))->Gettext()), L"lower");
  EXPECT_EQ(attributes->getNamedItem(_bstr_t(L"Name")), nullptr);
  EXPECT_EQ(attributes->Getitem(2), nullptr);

  IXMLDOMNodePtr name = attributes->getNamedItem(_bstr_t(L"NAME"));
  EXPECT_EQ(name->GetnodeType(), NODE_ATTRIBUTE);
  EXPECT_EQ(name->GetparentNode(), nullptr);
  name->Puttext(_bstr_t(L"A&B \"q\""));
  EXPECT_EQ(Text(fi->getAttribute(_bstr_t(L"NAME")).bstrVal), L"A&B \"q\"");

  fi->setAttribute(_bstr_t(L"NAME"), _variant_t(L"<new>"));
  fi->setAttribute(_bstr_t(L"ID"), _variant_t(static_cast<LONG>(42)));
  EXPECT_EQ(Text(name->Gettext()), L"<new>");
  EXPECT_EQ(Text(fi->getAttribute(_bstr_t(L"ID")).bstrVal), L"42");
  EXPECT_EQ(fi->getAttribute(_bstr_t(L"MISSING")).vt, VT_NULL);
  EXPECT_THROW(fi->setAttribute(_bstr_t(L"bad name"), _variant_t(L"x")), _com_error);
  EXPECT_EQ(fi->selectSingleNode(_bstr_t(L"BLZ/text()"))->Getattributes(), nullptr);
}

TEST_F(NodeTest, CloneIsDeepAndIndependent) {
  IXMLDOMDocument2Ptr doc = Parse(kAccount);
  IXMLDOMNodePtr fi = doc->selectSingleNode(_bstr_t(L"//FI"));
  IXMLDOMNodePtr deep = fi->cloneNode(VARIANT_TRUE);
  IXMLDOMNodePtr shallow = fi->cloneNode(VARIANT_FALSE);
  EXPECT_EQ(Text(deep->Getxml()), Text(fi->Getxml()));
  EXPECT_EQ(Text(shallow->Getxml()), L"<FI NAME=\"Bank\" name=\"lower\"/>");
  EXPECT_EQ(deep->GetparentNode(), nullptr);
  deep->selectSingleNode(_bstr_t(L"BLZ"))->Puttext(_bstr_t(L"999"));
  EXPECT_EQ(Text(fi->selectSingleNode(_bstr_t(L"BLZ"))->Gettext()), L"100");

  IXMLDOMNodePtr copy = doc->cloneNode(VARIANT_TRUE);
  IXMLDOMDocumentPtr copied_doc = copy;
  ASSERT_NE(copied_doc, nullptr);
  copied_doc->GetdocumentElement()->Puttext(_bstr_t(L"gone"));
  EXPECT_EQ(Text(doc->Getxml()).find(L"gone"), std::wstring::npos);
}

TEST_F(NodeTest, AppendChildMovesNodesAcrossDocuments) {
  IXMLDOMDocument2Ptr source = Parse(L"<S><ITEM k=\"v\"><SUB>s</SUB></ITEM></S>");
  IXMLDOMDocument2Ptr target = Parse(L"<T/>");
  IXMLDOMNodePtr item = source->selectSingleNode(_bstr_t(L"S/ITEM"));
  IXMLDOMNodePtr sub = item->selectSingleNode(_bstr_t(L"SUB"));
  IXMLDOMNodePtr appended = target->GetdocumentElement()->appendChild(item);
  EXPECT_EQ(static_cast<IUnknown*>(appended), static_cast<IUnknown*>(item));
  EXPECT_EQ(Text(source->Getxml()), L"<S/>\r\n");
  EXPECT_EQ(Text(target->Getxml()), L"<T><ITEM k=\"v\"><SUB>s</SUB></ITEM></T>\r\n");

  // The moved nodes belong to the target now and outlive the source.
  source = nullptr;
  EXPECT_EQ(Text(sub->GetownerDocument()->Getxml()), Text(target->Getxml()));
  EXPECT_EQ(Text(sub->GetparentNode()->GetnodeName()), L"ITEM");

  // Text nodes appended side by side stay separate nodes.
  IXMLDOMNodePtr first = target->createTextNode(_bstr_t(L"a"));
  IXMLDOMNodePtr second = target->createTextNode(_bstr_t(L"b"));
  IXMLDOMElementPtr t = target->GetdocumentElement();
  t->appendChild(first);
  t->appendChild(second);
  EXPECT_EQ(Text(first->Gettext()), L"a");
  EXPECT_EQ(Text(t->selectSingleNode(_bstr_t(L"text()[2]"))->Gettext()), L"b");

  // Into a document built in code (no name dictionary) and back.
  IXMLDOMDocument2Ptr built = NewDocument();
  built->PutRefdocumentElement(built->createElement(_bstr_t(L"BUILT")));
  built->GetdocumentElement()->appendChild(item);
  EXPECT_EQ(Text(built->Getxml()), L"<BUILT><ITEM k=\"v\"><SUB>s</SUB></ITEM></BUILT>\r\n");
  target->GetdocumentElement()->appendChild(item);
  built = nullptr;
  EXPECT_EQ(Text(item->Getxml()), L"<ITEM k=\"v\"><SUB>s</SUB></ITEM>");

  // A node cannot become its own descendant.
  EXPECT_THROW(item->selectSingleNode(_bstr_t(L"SUB"))->appendChild(item), _com_error);
  EXPECT_EQ(t->appendChild(nullptr, nullptr), E_INVALIDARG);
}

TEST_F(NodeTest, NodesOutliveTheirDocumentAndRemoval) {
  IXMLDOMNodePtr blz;
  IXMLDOMNodePtr removed;
  {
    IXMLDOMDocument2Ptr doc = Parse(kAccount);
    blz = doc->selectSingleNode(_bstr_t(L"//BLZ"));
    IXMLDOMNodePtr tx = doc->selectSingleNode(_bstr_t(L"ACCOUNT/TX"));
    removed = tx->GetparentNode()->removeChild(tx);
    EXPECT_EQ(doc->selectNodes(_bstr_t(L"//TX"))->Getlength(), 2);
    EXPECT_THROW(doc->GetdocumentElement()->removeChild(tx), _com_error);
  }
  EXPECT_EQ(Text(blz->Gettext()), L"100");
  EXPECT_EQ(Text(blz->GetownerDocument()->GetdocumentElement()->GetnodeName()), L"ACCOUNT");
  EXPECT_EQ(Text(removed->Getxml()), L"<TX><P>one</P></TX>");
  EXPECT_EQ(removed->GetparentNode(), nullptr);

  // Removing every match one after the other, as callers do.
  IXMLDOMDocument2Ptr doc = Parse(kAccount);
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  while (IXMLDOMNodePtr node = root->selectSingleNode(_bstr_t(L"TX"))) {
    node->GetparentNode()->removeChild(node);
  }
  EXPECT_EQ(Text(doc->Getxml()),
            L"<ACCOUNT><FI NAME=\"Bank\" name=\"lower\"><BLZ>100</BLZ></FI></ACCOUNT>\r\n");
}

TEST_F(NodeTest, NamesTypesAndIdentity) {
  IXMLDOMDocument2Ptr doc = Parse(L"<A><?pi data?><!--c--><![CDATA[<x>]]>t</A>");
  IXMLDOMNodeListPtr children = doc->GetdocumentElement()->GetchildNodes();
  ASSERT_EQ(children->Getlength(), 4);
  const std::pair<const wchar_t*, DOMNodeType> expected[] = {
      {L"pi", NODE_PROCESSING_INSTRUCTION},
      {L"#comment", NODE_COMMENT},
      {L"#cdata-section", NODE_CDATA_SECTION},
      {L"#text", NODE_TEXT}};
  for (LONG i = 0; i < 4; ++i) {
    EXPECT_EQ(Text(children->Getitem(i)->GetnodeName()), expected[i].first);
    EXPECT_EQ(children->Getitem(i)->GetnodeType(), expected[i].second);
  }
  EXPECT_EQ(Text(doc->GetnodeName()), L"#document");
  EXPECT_EQ(doc->GetnodeType(), NODE_DOCUMENT);
  EXPECT_EQ(doc->GetparentNode(), nullptr);
  EXPECT_EQ(doc->GetownerDocument(), nullptr);
  EXPECT_EQ(Text(doc->GetfirstChild()->GetnodeName()), L"A");
  EXPECT_EQ(static_cast<IUnknown*>(doc->GetdocumentElement()->GetownerDocument()),
            static_cast<IUnknown*>(IXMLDOMDocumentPtr(doc)));
  // An element answers for IXMLDOMElement, a text node does not.
  IXMLDOMElementPtr as_element = children->Getitem(3);
  EXPECT_EQ(as_element, nullptr);
}

TEST_F(NodeTest, DetachedSubtreeLivesWhileAnyNodeInsideIsReferenced) {
  IXMLDOMDocument2Ptr doc = Parse(kAccount);
  IXMLDOMNodePtr inner;
  {
    IXMLDOMNodePtr tx = doc->selectSingleNode(_bstr_t(L"ACCOUNT/TX[2]"));
    inner = tx->selectSingleNode(_bstr_t(L"P/text()"));
    doc->GetdocumentElement()->removeChild(tx);
  }
  doc = nullptr;
  // Only a text node deep inside the removed subtree is still referenced.
  IXMLDOMNodePtr p = inner->GetparentNode();
  EXPECT_EQ(Text(p->GetparentNode()->Getxml()), L"<TX><P>two</P></TX>");
  inner->Puttext(_bstr_t(L"changed"));
  EXPECT_EQ(Text(p->Gettext()), L"changed");

  // Unused created and cloned nodes and nodes moved back and forth are all
  // freed (the sanitizer build's leak check watches this).
  IXMLDOMDocument2Ptr a = Parse(L"<A/>");
  IXMLDOMDocument2Ptr b = Parse(L"<B/>");
  a->createElement(_bstr_t(L"UNUSED"));
  IXMLDOMNodePtr clone = p->cloneNode(VARIANT_TRUE);
  a->GetdocumentElement()->appendChild(clone);
  b->GetdocumentElement()->appendChild(clone);
  a->GetdocumentElement()->appendChild(p);
  EXPECT_EQ(Text(a->Getxml()), L"<A><P>changed</P></A>\r\n");
  EXPECT_EQ(Text(b->Getxml()), L"<B><P>changed</P></B>\r\n");
}

TEST_F(NodeTest, ThreadsParseAndFailIndependently) {
  std::vector<std::thread> threads;
  std::atomic<int> mistakes{0};
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&mistakes, t] {
      CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      for (int i = 0; i < 200; ++i) {
        IXMLDOMDocument2Ptr doc = NewDocument();
        const bool good = (i + t) % 2 == 0;
        const VARIANT_BOOL parsed =
            doc->loadXML(_bstr_t(good ? L"<A><B>x</B></A>" : L"<A><B></A>"));
        const bool error_seen = doc->GetparseError()->GeterrorCode() < 0;
        if ((parsed == VARIANT_TRUE) != good || error_seen == good) ++mistakes;
        if (good && Text(doc->selectSingleNode(_bstr_t(L"A/B"))->Gettext()) != L"x") ++mistakes;
      }
      CoUninitialize();
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mistakes, 0);
}

TEST_F(NodeTest, RawMethodsRefuseNullAndForeignArguments) {
  IXMLDOMDocument2Ptr doc = Parse(kAccount);
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  IXMLDOMNode* raw = root;
  EXPECT_EQ(raw->get_text(nullptr), E_POINTER);
  EXPECT_EQ(raw->get_xml(nullptr), E_POINTER);
  EXPECT_EQ(raw->selectSingleNode(nullptr, nullptr), E_POINTER);
  EXPECT_EQ(raw->cloneNode(VARIANT_TRUE, nullptr), E_POINTER);
  EXPECT_EQ(raw->transformNode(nullptr, nullptr), E_POINTER);
  BSTR out = nullptr;
  EXPECT_EQ(raw->transformNode(nullptr, &out), E_INVALIDARG);
  EXPECT_EQ(raw->removeChild(nullptr, nullptr), E_INVALIDARG);
  // A null BSTR is the empty text: an empty expression fails, empty text clears.
  IXMLDOMNode* found = nullptr;
  EXPECT_EQ(raw->selectSingleNode(nullptr, &found), E_FAIL);
  EXPECT_EQ(raw->put_text(nullptr), S_OK);
  EXPECT_EQ(Text(doc->Getxml()), L"<ACCOUNT/>\r\n");

  IXMLDOMDocument* document = doc;
  VARIANT_BOOL parsed = VARIANT_TRUE;
  EXPECT_EQ(document->loadXML(nullptr, &parsed), S_FALSE);
  EXPECT_EQ(parsed, VARIANT_FALSE);
  EXPECT_EQ(document->createElement(nullptr, nullptr), E_POINTER);
  EXPECT_EQ(document->putref_documentElement(nullptr), E_INVALIDARG);
  EXPECT_EQ(document->get_parseError(nullptr), E_POINTER);
  IXMLDOMNodeList* list = nullptr;
  ASSERT_EQ(document->get_childNodes(&list), S_OK);
  EXPECT_EQ(list->get_length(nullptr), E_POINTER);
  EXPECT_EQ(list->nextNode(nullptr), E_POINTER);
  list->Release();
}

TEST_F(NodeTest, NamespacedDocumentsAndAttributeClones) {
  IXMLDOMDocument2Ptr doc =
      Parse(L"<r:ROOT xmlns:r=\"urn:r\" r:id=\"7\"><r:ITEM>a</r:ITEM><ITEM>b</ITEM></r:ROOT>");
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  EXPECT_EQ(Text(root->GetnodeName()), L"r:ROOT");
  // Prefixes are not bound for selections; local names and plain names work.
  EXPECT_THROW(root->selectSingleNode(_bstr_t(L"r:ITEM")), _com_error);
  EXPECT_EQ(Text(root->selectSingleNode(_bstr_t(L"*[local-name()='ITEM']"))->Gettext()), L"a");
  EXPECT_EQ(Text(root->selectSingleNode(_bstr_t(L"ITEM"))->Gettext()), L"b");
  EXPECT_EQ(Text(root->Getattributes()->getNamedItem(_bstr_t(L"r:id"))->Gettext()), L"7");

  IXMLDOMNodePtr id = root->Getattributes()->getNamedItem(_bstr_t(L"r:id"));
  IXMLDOMNodePtr copy = id->cloneNode(VARIANT_TRUE);
  copy->Puttext(_bstr_t(L"8"));
  EXPECT_EQ(Text(id->Gettext()), L"7");
  EXPECT_EQ(Text(copy->Getxml()), L"r:id=\"8\"");
  // An attribute cannot be appended as a child.
  EXPECT_THROW(root->appendChild(copy), _com_error);

  // A removed element stays namespace-correct after its former ancestors go.
  IXMLDOMNodePtr removed = root->removeChild(root->selectSingleNode(_bstr_t(L"*[1]")));
  root = nullptr;
  id = nullptr;
  doc->PutRefdocumentElement(doc->createElement(_bstr_t(L"FRESH")));
  EXPECT_EQ(Text(removed->Getxml()), L"<r:ITEM xmlns:r=\"urn:r\">a</r:ITEM>");

  // A moved namespaced element keeps its namespace in the other document.
  IXMLDOMDocument2Ptr other = Parse(L"<O/>");
  other->GetdocumentElement()->appendChild(removed);
  EXPECT_EQ(Text(other->Getxml()), L"<O><r:ITEM xmlns:r=\"urn:r\">a</r:ITEM></O>\r\n");
}

}  // namespace
}  // namespace ebank::platform::msxml_test
