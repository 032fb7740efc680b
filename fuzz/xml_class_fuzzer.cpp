// Fuzzes CXmlClass with arbitrary document text and an arbitrary query path:
// loadXML, then every kind of query and edit on what was parsed, on the fuzzed
// path and on one of the paths any document has. Whatever the edits leave
// must serialize to text that parses again; removeNodes must remove what
// searching again after each removal would. Failures may only be the
// documented exceptions (ddCOM and standard exceptions, _com_error).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <iterator>
#include <string>

#include "ebank/platform/com/apartment.h"
#include "ebank/xml/xml_class.h"
#include "fuzz/attempt.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"

namespace {

using ddXML::CXmlClass;

using ebank::fuzz::Attempt;

// The reading members, on the fuzzed path and on paths any document has.
void Query(CXmlClass& doc, const wchar_t* path) {
  Attempt([&] { (void)doc.getNodeText(path); });
  Attempt([&] { (void)doc.getNodeText(path, 3, L"."); });
  Attempt([&] { (void)doc.getNodeLong(path); });
  Attempt([&] { (void)doc.getNodeBSTR(path); });
  Attempt([&] { (void)doc.getNodeAttrBSTR(path, L"PREFIX"); });
  Attempt([&] { (void)doc.getNodeAttrLong(path, L"DAY"); });
  Attempt([&] { (void)doc.getNodeCurrency(path); });
  Attempt([&] { (void)doc.getNodeDate(path); });
  Attempt([&] { (void)doc.getNrOfNodes(path); });
  Attempt([&] { (void)doc.isNodeFoundAndNotEmpty(path); });
  Attempt([&] { (void)doc.getNodeTextEx(L"%s[%d]", path, 1); });
}

// The writing members; each works on nodes the fuzzed document may have.
void Edit(CXmlClass& doc, const wchar_t* path) {
  Attempt([&] { doc.createElement(L".", L"NEW", L"a & b < c ' d"); });
  Attempt([&] { doc.createElement(path, L"VALUE", LONG{-42}); });
  Attempt([&] { doc.createAttribute(path, L"PREFIX", "-"); });
  Attempt([&] { doc.setNodeText(path, L"text"); });
  Attempt([&] {
    CY amount;
    amount.int64 = -123456789;
    doc.setNodeText(path, amount);
  });
  Attempt([&] {
    SYSTEMTIME date{};
    date.wYear = 2024, date.wMonth = 2, date.wDay = 29;
    doc.setNodeText(path, date);
  });
  Attempt([&] { doc.setNodeAttrText(path, L"YEAR", LONG{1999}); });
  Attempt([&] { doc.setNodeTextIfEmpty(path, L"filled"); });
  Attempt([&] { doc.updateElement(L".", L"NEW", "updated"); });
  Attempt([&] { doc.appendChilds(L".", doc.getNodes(path)); });
  Attempt([&] { doc.ValueToGermanNotation(); });
  Attempt([&] { doc.removeNodes(path); });
}

// removeNodes leaves what removing the first match until none is left (or the
// first match has no parent) leaves. The reference is quadratic, so only
// documents with few matches are compared.
void CheckRemoveNodes(const CXmlClass& doc, const wchar_t* path) {
  LONG matches = 0;
  if (!Attempt([&] { matches = doc.getNrOfNodes(path); }) || matches > 64) return;
  CXmlClass all(doc);
  CXmlClass stepped(doc);
  const bool removed = Attempt([&] { all.removeNodes(path); });
  const bool removed_stepwise = Attempt([&] {
    for (IXMLDOMNodePtr node = stepped.getNode(path); node != nullptr;
         node = stepped.getNode(path)) {
      IXMLDOMNodePtr parent = node->GetparentNode();
      if (parent == nullptr) break;
      parent->removeChild(node);
    }
  });
  EBANK_FUZZ_CHECK(removed == removed_stepwise);
  const auto text = [](const CXmlClass& xml) {
    const CXmlClass::BString serialized = xml.getXml();
    return std::wstring(serialized.ByVal(), serialized.Length());
  };
  EBANK_FUZZ_CHECK(!removed || text(all) == text(stepped));
}

// The document's own text after the edits reads back as a document. (getXml
// narrows to the ANSI code page, which may turn name characters into '?'.)
void CheckReparses(const CXmlClass& doc) {
  if (doc.isEmpty() || doc.getDocument()->GetdocumentElement() == nullptr) return;
  const _bstr_t text = doc.getDocument()->Getxml();
  CXmlClass again;
  EBANK_FUZZ_CHECK(Attempt([&] { again.loadXML(static_cast<const wchar_t*>(text)); }));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::wstring path = ebank::fuzz::WideFromFuzzBytes(provider.ConsumeRandomLengthString(64));
  const std::wstring xml = ebank::fuzz::WideFromFuzzBytes(provider.ConsumeRemainingBytesAsString());

  CXmlClass doc;
  Attempt([&] { doc.loadXML(xml.c_str()); });
  // Each path queried costs two copies of the document, so besides the fuzzed
  // path an input gets one of the paths any document has, picked by the
  // document's length: every one is checked, at less than half the cost.
  static constexpr const wchar_t* kCommonPaths[] = {L"*", L"//VALUE", L"DATE", L"."};
  for (const wchar_t* query : {path.c_str(), kCommonPaths[xml.size() % std::size(kCommonPaths)]}) {
    Query(doc, query);
    CheckRemoveNodes(doc, query);
  }
  Edit(doc, path.c_str());
  CheckReparses(doc);
  CXmlClass copy(doc);
  Attempt([&] { (void)copy.getXml(); });
  return 0;
}
