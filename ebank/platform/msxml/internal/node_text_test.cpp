// The `text` of nodes: read through entities, and trimmed at the ends unless
// the document preserves white space, CDATA or xml:space="preserve" says so.
#include <string>

#include "ebank/platform/msxml/testing/msxml_test_support.h"

namespace ebank::platform::msxml_test {
namespace {

class NodeTextTest : public XmlTest {
 protected:
  static std::wstring TextAt(const IXMLDOMDocument2Ptr& doc, const wchar_t* path) {
    return Text(doc->selectSingleNode(_bstr_t(path))->Gettext());
  }
};

TEST_F(NodeTextTest, TextIsTrimmedAtBothEndsButKeepsWhiteSpaceInside) {
  IXMLDOMDocument2Ptr doc = Parse(
      L"<R><NAME>\n  Anna  Maria\t\n</NAME><S> </S><MIX> a <B> b </B> c </MIX>"
      L"<C><![CDATA[  kept  ]]></C><CM>  <![CDATA[ x ]]>  </CM></R>");
  EXPECT_EQ(TextAt(doc, L"R/NAME"), L"Anna  Maria");
  EXPECT_EQ(TextAt(doc, L"R/S"), L"");
  EXPECT_EQ(TextAt(doc, L"R/MIX"), L"a  b  c");  // only the ends of the whole text
  EXPECT_EQ(TextAt(doc, L"R/MIX/B"), L"b");
  EXPECT_EQ(TextAt(doc, L"R/MIX/text()[1]"), L"a");
  EXPECT_EQ(TextAt(doc, L"R/C"), L"  kept  ");
  EXPECT_EQ(TextAt(doc, L"R/CM"), L" x ");  // the CDATA section keeps its blanks
  EXPECT_EQ(Text(doc->GetdocumentElement()->Gettext()), L"Anna  Maria\t\n a  b  c   kept   x ");
  // xml writes the stored text unchanged.
  EXPECT_EQ(Text(doc->selectSingleNode(_bstr_t(L"R/NAME"))->Getxml()),
            L"<NAME>\n  Anna  Maria\t\n</NAME>");
}

TEST_F(NodeTextTest, PreserveScopesAttributesAndOtherNodesKeepTheirWhiteSpace) {
  IXMLDOMDocument2Ptr doc = Parse(
      L"<!DOCTYPE R [<!ATTLIST PRE xml:space (preserve) #FIXED 'preserve'>]>"
      L"<R A=\" v \"><P xml:space=\"preserve\"> p <D xml:space=\"default\"> d </D></P>"
      L"<PRE> fixed </PRE><!-- c --><?pi  x ?></R>");
  // D's white space at the end of P's text is D's, in D's default scope.
  EXPECT_EQ(TextAt(doc, L"R/P"), L" p  d");
  EXPECT_EQ(TextAt(doc, L"R/P/D"), L"d");
  EXPECT_EQ(TextAt(doc, L"R/PRE"), L" fixed ");  // preserved by the DTD's default
  EXPECT_EQ(TextAt(doc, L"R/@A"), L" v ");
  EXPECT_EQ(TextAt(doc, L"R/comment()"), L" c ");
  EXPECT_EQ(TextAt(doc, L"R/processing-instruction()"), L"x ");
}

TEST_F(NodeTextTest, PreservingDocumentsReadTextVerbatim) {
  IXMLDOMDocument2Ptr doc = Parse(L"<R><N> a </N></R>");
  doc->PutpreserveWhiteSpace(VARIANT_TRUE);
  EXPECT_EQ(TextAt(doc, L"R/N"), L" a ");
  doc->PutpreserveWhiteSpace(VARIANT_FALSE);
  EXPECT_EQ(TextAt(doc, L"R/N"), L"a");
  // Text set through the DOM is stored as given and read by the same rule.
  IXMLDOMNodePtr n = doc->selectSingleNode(_bstr_t(L"R/N"));
  n->Puttext(_bstr_t(L"  set  "));
  EXPECT_EQ(Text(n->Gettext()), L"set");
  EXPECT_EQ(Text(n->Getxml()), L"<N>  set  </N>");
}

TEST_F(NodeTextTest, EntityTextIsReadInTheScopeOfItsReference) {
  IXMLDOMDocument2Ptr doc = Parse(
      L"<!DOCTYPE R [<!ENTITY pad '  12  '><!ENTITY deep 'a&pad;b'>]>"
      L"<R><E>&pad;</E><K xml:space=\"preserve\">&pad;</K><M>x&deep;</M></R>");
  EXPECT_EQ(TextAt(doc, L"R/E"), L"12");
  EXPECT_EQ(TextAt(doc, L"R/K"), L"  12  ");
  EXPECT_EQ(TextAt(doc, L"R/M"), L"xa  12  b");
  EXPECT_EQ(Text(doc->selectSingleNode(_bstr_t(L"R/E"))->GetfirstChild()->Gettext()), L"12");
}

}  // namespace
}  // namespace ebank::platform::msxml_test
