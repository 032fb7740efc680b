// Nodes that cross documents: entity references of the source document's DTD
// arrive as the text and elements they stand for, and both documents free
// cleanly (the sanitizer build checks the second part).
#include <string>

#include "ebank/platform/msxml/testing/msxml_test_support.h"

namespace ebank::platform::msxml_test {
namespace {

using TreeEditTest = XmlTest;

constexpr const wchar_t* kWithEntities =
    L"<!DOCTYPE A [<!ENTITY b '12345678'><!ENTITY n 'x&b;<E k=\"&b;\">&b;</E>'>]>"
    L"<A><FI NAME=\"&b;!\">&b;</FI><G>&n;</G></A>";

TEST_F(TreeEditTest, AppendedIntoAnotherDocumentEntitiesBecomeTheirText) {
  IXMLDOMDocument2Ptr source = Parse(kWithEntities);
  IXMLDOMDocument2Ptr target = Parse(L"<T/>");
  for (const wchar_t* path : {L"A/FI", L"A/G"}) {
    IXMLDOMNodePtr node = source->selectSingleNode(_bstr_t(path));
    const std::wstring text = Text(node->Gettext());
    target->GetdocumentElement()->appendChild(node->cloneNode(VARIANT_TRUE));
    target->GetdocumentElement()->appendChild(node);  // moved, not copied
  }
  EXPECT_EQ(Text(target->Getxml()),
            L"<T><FI NAME=\"12345678!\">12345678</FI><FI NAME=\"12345678!\">12345678</FI>"
            L"<G>x12345678<E k=\"12345678\">12345678</E></G>"
            L"<G>x12345678<E k=\"12345678\">12345678</E></G></T>\r\n");
  EXPECT_EQ(Text(target->selectSingleNode(_bstr_t(L"T/G"))->Gettext()), L"x1234567812345678");
  EXPECT_EQ(Text(source->Getxml()).find(L"<G>"), std::wstring::npos);
  source = nullptr;  // the moved nodes own nothing of the source any more
  EXPECT_EQ(Text(target->selectSingleNode(_bstr_t(L"T/FI/@NAME"))->Gettext()), L"12345678!");
}

// An attribute value keeps its nested references; read, transformed or
// copied it is their text.
TEST_F(TreeEditTest, AttributeValuesTakeTheTextOfNestedEntities) {
  IXMLDOMDocument2Ptr source = Parse(
      L"<!DOCTYPE A [<!ENTITY m 'x&#38;#38;y'><!ENTITY n 'a&m;'><!ENTITY o '&n;'>]>"
      L"<R>&o;<A V=\"1&o;2\"/></R>");
  IXMLDOMNodePtr value = source->selectSingleNode(_bstr_t(L"R/A/@V"));
  EXPECT_EQ(Text(value->Gettext()), L"1ax&y2");
  IXMLDOMDocument2Ptr style = Parse(
      L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
      L"<xsl:output method=\"text\"/><xsl:template match=\"/\">[<xsl:value-of select=\"//@V\"/>]"
      L"</xsl:template></xsl:stylesheet>");
  EXPECT_EQ(Text(source->GetdocumentElement()->transformNode(style)), L"[1ax&y2]");
  value->transformNode(style);  // an attribute has no text of its own there
  IXMLDOMDocument2Ptr target = Parse(L"<T/>");
  target->GetdocumentElement()->appendChild(source->selectSingleNode(_bstr_t(L"R/A")));
  source = nullptr;
  EXPECT_EQ(Text(target->Getxml()), L"<T><A V=\"1ax&amp;y2\"/></T>\r\n");
}

TEST_F(TreeEditTest, NewDocumentElementFromAnotherDocumentKeepsEntityText) {
  IXMLDOMDocument2Ptr source = Parse(kWithEntities);
  IXMLDOMElementPtr fi = source->selectSingleNode(_bstr_t(L"A/FI"))->cloneNode(VARIANT_TRUE);
  IXMLDOMDocument2Ptr copy = NewDocument();
  copy->PutRefdocumentElement(fi);
  source = nullptr;
  EXPECT_EQ(Text(copy->GetdocumentElement()->Gettext()), L"12345678");
  EXPECT_EQ(Text(copy->Getxml()), L"<FI NAME=\"12345678!\">12345678</FI>\r\n");
  // The copy parses again: no reference to an entity it does not declare.
  EXPECT_EQ(NewDocument()->loadXML(copy->Getxml()), VARIANT_TRUE);
}

TEST_F(TreeEditTest, ReferencesStayWithinTheirDocumentAndItsClones) {
  IXMLDOMDocument2Ptr doc = Parse(kWithEntities);
  IXMLDOMNodePtr fi = doc->selectSingleNode(_bstr_t(L"A/FI"));
  doc->GetdocumentElement()->appendChild(fi->cloneNode(VARIANT_TRUE));
  EXPECT_EQ(Text(doc->GetdocumentElement()->Getxml()),
            L"<A><FI NAME=\"&b;!\">&b;</FI><G>&n;</G><FI NAME=\"&b;!\">&b;</FI></A>");
  // XPath reads entity text in a clone as in the original.
  const _bstr_t by_text(L"A/FI[contains(., '12345678')]");
  EXPECT_NE(doc->selectSingleNode(by_text), nullptr);
  IXMLDOMDocumentPtr clone = doc->cloneNode(VARIANT_TRUE);
  doc = nullptr;
  EXPECT_NE(clone->selectSingleNode(by_text), nullptr);
  EXPECT_EQ(Text(clone->GetdocumentElement()->Gettext()), L"12345678x123456781234567812345678");

  // A reference itself cannot leave its document; its parent can.
  IXMLDOMNodePtr reference = clone->selectSingleNode(_bstr_t(L"A/FI"))->GetfirstChild();
  ASSERT_EQ(reference->GetnodeType(), NODE_ENTITY_REFERENCE);
  IXMLDOMDocument2Ptr target = Parse(L"<T/>");
  EXPECT_THROW(target->GetdocumentElement()->appendChild(reference), _com_error);
  target->GetdocumentElement()->appendChild(reference->GetparentNode());
  EXPECT_EQ(Text(target->Getxml()), L"<T><FI NAME=\"12345678!\">12345678</FI></T>\r\n");
  // The reference object stays usable inside the document it came from.
  EXPECT_EQ(Text(reference->Gettext()), L"12345678");
  EXPECT_EQ(Text(reference->GetownerDocument()->Getxml()), Text(clone->Getxml()));
}

TEST_F(TreeEditTest, TransformsReadEntityText) {
  IXMLDOMDocument2Ptr doc = Parse(kWithEntities);
  IXMLDOMDocument2Ptr style = Parse(
      L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
      L"<xsl:output method=\"xml\" omit-xml-declaration=\"yes\"/>"
      L"<xsl:template match=\"/\">[<xsl:apply-templates select=\"//G\"/>]"
      L"<xsl:copy-of select=\"//FI\"/></xsl:template></xsl:stylesheet>");
  const std::wstring expected = L"[x1234567812345678]<FI NAME=\"12345678!\">12345678</FI>\n";
  EXPECT_EQ(Text(doc->transformNode(style)), expected);
  EXPECT_EQ(Text(doc->GetdocumentElement()->transformNode(style)), expected);

  // A style sheet's own entities are read as well.
  IXMLDOMDocument2Ptr entity_style = Parse(
      L"<!DOCTYPE xsl:stylesheet [<!ENTITY sep ' | '>]>"
      L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
      L"<xsl:output method=\"text\"/><xsl:template match=\"/\">"
      L"<xsl:value-of select=\"//FI\"/><xsl:text>&sep;</xsl:text>end</xsl:template>"
      L"</xsl:stylesheet>");
  EXPECT_EQ(Text(doc->transformNode(entity_style)), L"12345678 | end");
  EXPECT_EQ(Text(doc->transformNode(entity_style->GetdocumentElement())), L"12345678 | end");
}

}  // namespace
}  // namespace ebank::platform::msxml_test
