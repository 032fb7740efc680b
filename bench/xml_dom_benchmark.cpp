// The XML DOM layer against raw libxml2 doing the same work: parsing a large
// account list, reading the fields of one record by XPath, and rewriting the
// text of every amount element. Then hostile documents of 64 KiB against an
// ordinary account list of that size: each must load (or be refused) and be
// read about as fast.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <iterator>
#include <string>
#include <vector>

#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/msxml/msxml.h"

namespace {

constexpr const char* kFields[] = {
    "BLZ",     "KONTONR",     "NAME",     "IBAN",        "BIC",        "WAEHRUNG",    "TYP",
    "INHABER", "BEZEICHNUNG", "STATUS",   "SALDO/VALUE", "SALDO/DATE", "LIMIT/VALUE", "KUNDENNR",
    "PRODUKT", "DATUM/DATE",  "BANKNAME", "ORT",         "LAND",       "KATEGORIE"};

void AppendElement(const std::string& name, const std::string& content, std::string* xml) {
  xml->append("<").append(name).append(">").append(content);
  xml->append("</").append(name).append(">");
}

// A KONTO record with one element (or element and child) per field path.
std::string Account(int number) {
  const std::string value = std::to_string(number) + "x";
  std::string xml = "<KONTO>";
  for (const std::string path : kFields) {
    const size_t slash = path.find('/');
    if (slash == std::string::npos) {
      AppendElement(path, value, &xml);
    } else {
      std::string inner;
      AppendElement(path.substr(slash + 1), value, &inner);
      AppendElement(path.substr(0, slash), inner, &xml);
    }
  }
  return xml + "</KONTO>";
}

std::string Accounts(int count) {
  std::string xml = "<KONTEN>";
  for (int i = 0; i < count; ++i) xml += Account(i);
  return xml + "</KONTEN>";
}

std::string Values(int count) {
  std::string xml = "<R>";
  for (int i = 0; i < count; ++i)
    xml += "<T><VALUE PREFIX=\"+\">" + std::to_string(i) + ".5</VALUE></T>";
  return xml + "</R>";
}

_bstr_t Wide(const std::string& text) {
  return _bstr_t(std::wstring(text.begin(), text.end()).c_str());
}

IXMLDOMDocument2Ptr NewDocument() {
  IXMLDOMDocument2* raw = nullptr;
  CoCreateInstance(CLSID_DOMDocument30, nullptr, 7, IID_IXMLDOMDocument2,
                   reinterpret_cast<void**>(&raw));
  return IXMLDOMDocument2Ptr(raw, false);
}

struct ComScope {
  ComScope() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  ~ComScope() { CoUninitialize(); }
};

void BM_DomLoadXml(benchmark::State& state) {
  ComScope com;
  const _bstr_t text = Wide(Accounts(10000));
  for (auto _ : state) {
    IXMLDOMDocument2Ptr doc = NewDocument();
    benchmark::DoNotOptimize(doc->loadXML(text));
  }
}
BENCHMARK(BM_DomLoadXml)->Unit(benchmark::kMillisecond);

void BM_LibxmlReadMemory(benchmark::State& state) {
  const std::string text = Accounts(10000);
  for (auto _ : state) {
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8",
                                  XML_PARSE_NONET | XML_PARSE_NOBLANKS);
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
  }
}
BENCHMARK(BM_LibxmlReadMemory)->Unit(benchmark::kMillisecond);

void BM_DomReadRecord(benchmark::State& state) {
  ComScope com;
  IXMLDOMDocument2Ptr doc = NewDocument();
  doc->loadXML(Wide(Account(7)));
  IXMLDOMElementPtr root = doc->GetdocumentElement();
  std::vector<_bstr_t> paths;
  for (const char* field : kFields) paths.push_back(Wide(field));
  for (auto _ : state) {
    for (const _bstr_t& path : paths) {
      IXMLDOMNodePtr node = root->selectSingleNode(path);
      benchmark::DoNotOptimize(node->Gettext());
    }
  }
}
BENCHMARK(BM_DomReadRecord);

void BM_LibxmlXPathRecord(benchmark::State& state) {
  const std::string text = Account(7);
  xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8", 0);
  xmlXPathContextPtr context = xmlXPathNewContext(doc);
  context->node = xmlDocGetRootElement(doc);
  for (auto _ : state) {
    for (const char* field : kFields) {
      xmlXPathObjectPtr result = xmlXPathEval(reinterpret_cast<const xmlChar*>(field), context);
      xmlChar* content = xmlNodeGetContent(result->nodesetval->nodeTab[0]);
      benchmark::DoNotOptimize(content);
      xmlFree(content);
      xmlXPathFreeObject(result);
    }
  }
  xmlXPathFreeContext(context);
  xmlFreeDoc(doc);
}
BENCHMARK(BM_LibxmlXPathRecord);

// Selects every VALUE and rewrites its text: time must grow linearly.
void BM_DomRewriteValues(benchmark::State& state) {
  ComScope com;
  const _bstr_t text = Wide(Values(static_cast<int>(state.range(0))));
  const _bstr_t replacement(L"1,50");
  for (auto _ : state) {
    state.PauseTiming();
    IXMLDOMDocument2Ptr doc = NewDocument();
    doc->loadXML(text);
    state.ResumeTiming();
    IXMLDOMNodeListPtr list = doc->GetdocumentElement()->selectNodes(_bstr_t(L".//VALUE"));
    while (IXMLDOMNodePtr node = list->nextNode()) {
      benchmark::DoNotOptimize(node->Gettext());
      node->Puttext(replacement);
    }
  }
}
BENCHMARK(BM_DomRewriteValues)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LibxmlRewriteValues(benchmark::State& state) {
  const std::string text = Values(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8", 0);
    state.ResumeTiming();
    xmlXPathContextPtr context = xmlXPathNewContext(doc);
    context->node = xmlDocGetRootElement(doc);
    xmlXPathObjectPtr result = xmlXPathEval(reinterpret_cast<const xmlChar*>(".//VALUE"), context);
    for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
      xmlChar* content = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
      benchmark::DoNotOptimize(content);
      xmlFree(content);
      xmlNodeSetContent(result->nodesetval->nodeTab[i], reinterpret_cast<const xmlChar*>("1,50"));
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    xmlFreeDoc(doc);
  }
}
BENCHMARK(BM_LibxmlRewriteValues)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

std::string Repeated(const std::string& part, size_t size) {
  std::string text;
  while (text.size() + part.size() <= size) text += part;
  return text;
}

std::string Numbered(const std::string& before, const std::string& after, size_t size) {
  std::string text;
  for (int i = 0; text.size() < size; ++i) text += before + std::to_string(i) + after;
  return text;
}

constexpr size_t k64KiB = 65536;

// Documents of about 64 KiB, each the worst of its kind within (or, where
// refused, just past) the parser's bounds.
struct Shape {
  const char* name;
  std::string (*text)();
};
const Shape kShapes[] = {
    {"accounts", [] { return "<KONTEN>" + Repeated(Account(1), k64KiB - 20) + "</KONTEN>"; }},
    {"attributes", [] { return "<A" + Numbered(" a", "=''", k64KiB - 10) + "/>"; }},
    {"entity_fan_out",
     [] {
       return "<!DOCTYPE A [<!ENTITY e '" + std::string(10000, 'x') + "'>]><A>" +
              Repeated("&e;", k64KiB - 10040) + "</A>";
     }},
    {"entity_fan_out_within",
     [] {
       return "<!DOCTYPE A [<!ENTITY e '" + std::string(10000, 'x') + "'>]><A>" +
              Repeated("&e;", 300) + std::string(k64KiB - 10400, ' ') + "</A>";
     }},
    {"dtd_defaults",
     [] {
       return "<!DOCTYPE R [<!ATTLIST a" + Numbered(" d", " CDATA 'x'", 64 * 12) + ">]><R>" +
              Repeated("<a/>", k64KiB - 1000) + "</R>";
     }},
    {"namespaces",
     [] {
       return "<R" + Numbered(" xmlns:p", "='u'", k64KiB / 2) + ">" +
              Repeated("<p7:e>t</p7:e>", k64KiB / 2) + "</R>";
     }},
    {"depth",
     [] {
       const std::string branch = Repeated("<d>", 765) + "x" + Repeated("</d>", 1020);
       return "<R>" + Repeated(branch, k64KiB - 10) + "</R>";
     }},
    {"long_name",
     [] { return "<" + std::string(50000, 'n') + " v='" + std::string(15000, 'v') + "'/>"; }},
    {"blank_text", [] { return "<R>" + Repeated("<S> </S>\n ", k64KiB - 10) + "</R>"; }},
    {"mixed_text",
     [] { return "<R>" + Repeated(" x<!--c--><![CDATA[ y ]]>", k64KiB - 10) + "</R>"; }},
    {"character_references", [] { return "<R>" + Repeated("&#x20AC;", k64KiB - 10) + "</R>"; }},
};

// Loads the shape and reads it the usual ways: text and xml of the document,
// every element by XPath and the text of each.
void BM_DomHostile64KiB(benchmark::State& state) {
  ComScope com;
  const Shape& shape = kShapes[state.range(0)];
  const _bstr_t text = Wide(shape.text());
  state.SetLabel(shape.name);
  for (auto _ : state) {
    IXMLDOMDocument2Ptr doc = NewDocument();
    if (doc->loadXML(text) != VARIANT_TRUE) continue;  // refused
    benchmark::DoNotOptimize(doc->Gettext());
    benchmark::DoNotOptimize(doc->Getxml());
    IXMLDOMNodeListPtr elements = doc->selectNodes(_bstr_t(L"//*"));
    while (IXMLDOMNodePtr element = elements->nextNode()) {
      benchmark::DoNotOptimize(element->Gettext());
    }
  }
}
BENCHMARK(BM_DomHostile64KiB)->DenseRange(0, std::size(kShapes) - 1)->Unit(benchmark::kMillisecond);

}  // namespace
