// Copies random nodes of random documents with internal DTDs into other
// documents, by every way a node crosses documents: CXmlClass of a node, the
// copy constructor, appendChild of a clone and of the node itself, a new
// document element, and a transform. Each copy must read the text its source
// read, and every document must free cleanly (the sanitizers check that).
#include <fuzzer/FuzzedDataProvider.h>
#include <libxml/parser.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/msxml/msxml.h"
#include "ebank/platform/win32/code_page.h"
#include "ebank/xml/xml_class.h"
#include "fuzz/attempt.h"
#include "fuzz/fuzz_check.h"

namespace {

using ddXML::CXmlClass;
using ebank::fuzz::Attempt;

IXMLDOMDocument2Ptr NewDocument(bool preserve) {
  IXMLDOMDocument2* raw = nullptr;
  CoCreateInstance(CLSID_DOMDocument30, nullptr, 7, IID_IXMLDOMDocument2,
                   reinterpret_cast<void**>(&raw));
  IXMLDOMDocument2Ptr doc(raw, false);
  doc->PutpreserveWhiteSpace(preserve ? VARIANT_TRUE : VARIANT_FALSE);
  return doc;
}

// Builds the text of a document from the fuzzer's choices: entities whose
// replacement texts refer to earlier ones, and a tree of elements whose text,
// attributes, CDATA sections and comments refer to them.
class DocumentBuilder {
 public:
  explicit DocumentBuilder(FuzzedDataProvider& input) : input_(input) {}

  std::wstring Build() {
    entities_ = input_.ConsumeIntegralInRange(0, 4);
    std::wstring text = L"<!DOCTYPE R [";
    for (int i = 0; i < entities_; ++i) {
      text += L"<!ENTITY e" + std::to_wstring(i) + L" '" + Content(i, 2) + L"'>";
    }
    return text + L"]><R>" + Content(entities_, 4) + L"</R>";
  }

 private:
  // Mixed content that may refer to the first `known` entities.
  std::wstring Content(int known, int depth) {
    std::wstring text;
    for (int parts = input_.ConsumeIntegralInRange(0, 5); parts > 0; --parts) {
      switch (input_.ConsumeIntegralInRange(0, 6)) {
        case 0:
          text += Characters();
          break;
        case 1:
          text += Reference(known);
          break;
        case 2:
          text += L"<![CDATA[" + Characters() + L"]]>";
          break;
        case 3:
          text += L"<!--" + Characters() + L"-->";
          break;
        case 4:
          text += L"&#x20;&amp;";
          break;
        default:
          if (depth > 0) text += Element(known, depth - 1);
          break;
      }
    }
    return text;
  }

  std::wstring Element(int known, int depth) {
    const std::wstring name = L"E" + std::to_wstring(input_.ConsumeIntegralInRange(0, 3));
    std::wstring text = L"<" + name;
    if (input_.ConsumeBool()) text += L" A=\"" + Characters() + Reference(known) + L"\"";
    if (input_.ConsumeBool()) text += L" xml:space=\"preserve\"";
    return text + L">" + Content(known, depth) + L"</" + name + L">";
  }

  std::wstring Reference(int known) {
    if (known == 0) return {};
    return L"&e" + std::to_wstring(input_.ConsumeIntegralInRange(0, known - 1)) + L";";
  }

  // A few characters of text, blanks included, that need no escaping.
  std::wstring Characters() {
    static constexpr wchar_t kAlphabet[] = L" \t\nab9\u00e4\u20ac.";
    std::wstring text;
    for (int length = input_.ConsumeIntegralInRange(0, 6); length > 0; --length) {
      text += kAlphabet[input_.ConsumeIntegralInRange<std::size_t>(0, 9)];
    }
    return text;
  }

  FuzzedDataProvider& input_;
  int entities_ = 0;
};

std::wstring Trimmed(const std::wstring& text) {
  const std::size_t first = text.find_first_not_of(L" \t\r\n");
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L" \t\r\n") + 1 - first);
}

std::wstring Text(IXMLDOMNode* node) {
  const _bstr_t text = node->Gettext();
  return text.length() > 0 ? std::wstring(static_cast<const wchar_t*>(text), text.length())
                           : std::wstring();
}

// A copy reads the text of its source. Trimming follows the xml:space scopes,
// which a copy leaves behind, so without preserved white space only the
// trimmed texts must agree.
void CheckSameText(const std::wstring& source, IXMLDOMNode* copy, bool preserve) {
  const std::wstring copied = Text(copy);
  EBANK_FUZZ_CHECK(preserve ? copied == source : Trimmed(copied) == Trimmed(source));
}

// True when `xml` is well-formed to libxml2 with its entity heuristic off.
// (XML_PARSE_HUGE is safe here: the documents built above expand to a few
// kilobytes at most.)
bool WellFormedWithoutLoopHeuristic(const _bstr_t& xml) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, xml, static_cast<int>(xml.length()), nullptr, 0,
                                       nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, xml, static_cast<int>(xml.length()), utf8.data(), size, nullptr,
                      nullptr);
  xmlDocPtr doc = xmlReadMemory(utf8.data(), size, nullptr, "UTF-8",
                                XML_PARSE_HUGE | XML_PARSE_NONET | XML_PARSE_IGNORE_ENC |
                                    XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  const bool parsed = doc != nullptr;
  xmlFreeDoc(doc);
  return parsed;
}

// The whole document written by a copy parses again: it refers to no entity
// it does not declare. libxml2 before 2.11 refuses some well-formed documents
// as an "entity reference loop": it weighs the references an entity makes
// against the few bytes of an entity that only refers to it. Such a refusal
// (and no other) passes when the text is well-formed without that heuristic.
void CheckReparses(IXMLDOMDocument* doc) {
  if (doc->GetdocumentElement() == nullptr) return;
  IXMLDOMDocument2Ptr again = NewDocument(true);
  const _bstr_t xml = doc->Getxml();
  if (again->loadXML(xml) == VARIANT_TRUE) return;
  constexpr LONG kEntityLoop = static_cast<LONG>(0xC00CE000u | XML_ERR_ENTITY_LOOP);
  EBANK_FUZZ_CHECK(again->GetparseError()->GeterrorCode() == kEntityLoop &&
                   WellFormedWithoutLoopHeuristic(xml));
}

constexpr const wchar_t* kValueOfStyleSheet =
    L"<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    L"<xsl:output method=\"text\"/><xsl:template match=\"/\">"
    L"<xsl:value-of select=\".\"/></xsl:template></xsl:stylesheet>";

// The style sheet, parsed once for every input.
IXMLDOMDocument2Ptr& ValueOfStyleSheet() {
  static IXMLDOMDocument2Ptr style = [] {
    IXMLDOMDocument2Ptr parsed = NewDocument(true);
    EBANK_FUZZ_CHECK(parsed->loadXML(_bstr_t(kValueOfStyleSheet)) == VARIANT_TRUE);
    return parsed;
  }();
  return style;
}

void CopyOnce(FuzzedDataProvider& input, IXMLDOMNodePtr node, bool preserve) {
  const std::wstring before = Text(node);
  IXMLDOMDocument2Ptr target = NewDocument(preserve);
  target->appendChild(target->createElement(_bstr_t(L"T")));
  switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0:
      Attempt([&] {
        // CXmlClass makes its documents with the default: white space trimmed.
        const CXmlClass copy(node);
        if (copy.isEmpty()) return;
        CheckSameText(before, copy.getDocument()->GetdocumentElement(), false);
        CheckReparses(copy.getDocument());
      });
      break;
    case 1:
      if (Attempt(
              [&] { target->GetdocumentElement()->appendChild(node->cloneNode(VARIANT_TRUE)); })) {
        CheckSameText(before, target->selectSingleNode(_bstr_t(L"T/node()")), preserve);
        CheckReparses(target);
      }
      break;
    case 2:  // moved out of its document
      if (Attempt([&] { target->GetdocumentElement()->appendChild(node); })) {
        CheckSameText(before, node, preserve);
        CheckReparses(target);
      }
      break;
    case 3:
      Attempt([&] {
        IXMLDOMElementPtr element = node->cloneNode(VARIANT_TRUE);
        if (element == nullptr) return;
        target->PutRefdocumentElement(element);
        CheckSameText(before, target->GetdocumentElement(), preserve);
        CheckReparses(target);
      });
      break;
    case 4: {
      // The value of an element or text in a transform is its text untrimmed.
      // (The transform copies other nodes into a document where they are no
      // text; they are transformed for the sanitizers only.)
      _bstr_t output;
      const DOMNodeType type = node->GetnodeType();
      const bool has_value =
          type == NODE_ELEMENT || type == NODE_TEXT || type == NODE_CDATA_SECTION;
      if (Attempt([&] { output = node->transformNode(ValueOfStyleSheet()); }) && has_value) {
        const std::wstring value = output.length() > 0 ? static_cast<const wchar_t*>(output) : L"";
        EBANK_FUZZ_CHECK(preserve ? value == before : Trimmed(value) == Trimmed(before));
      }
      break;
    }
    default: {
      // The whole document, by the copy constructor.
      CXmlClass source;
      source = IXMLDOMDocumentPtr(node->GetownerDocument());
      const CXmlClass clone(source);
      IXMLDOMElementPtr root = source.getDocument()->GetdocumentElement();
      if (root == nullptr) break;
      CheckSameText(Text(root), clone.getDocument()->GetdocumentElement(), preserve);
      CheckReparses(clone.getDocument());
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool preserve = input.ConsumeBool();
  const std::wstring text = DocumentBuilder(input).Build();
  IXMLDOMDocument2Ptr source = NewDocument(preserve);
  if (source->loadXML(_bstr_t(text.c_str())) != VARIANT_TRUE) return 0;
  IXMLDOMNodeListPtr nodes = source->selectNodes(_bstr_t(L"//node() | //@*"));
  for (int copies = input.ConsumeIntegralInRange(1, 6); copies > 0; --copies) {
    const LONG count = nodes->Getlength();
    if (count == 0) break;
    IXMLDOMNodePtr node = nodes->Getitem(input.ConsumeIntegralInRange<LONG>(0, count - 1));
    CopyOnce(input, node, preserve);
  }
  return 0;
}
