// CXmlClass against raw libxml2 doing the same work: reading one KONTO
// record field by field, parsing a large KONTEN list, and rewriting amounts
// into German notation at two sizes (the time must grow linearly).
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <string>

#include "benchmark/benchmark.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/xml/xml_class.h"

namespace {

// The fields of one account record, read one query each.
constexpr const char* kTextFields[] = {"NAME",        "BANKNAME",    "WAEHRUNG", "INHABER",
                                       "KONTAKT",     "IBAN",        "BIC",      "ADRESSE/STRASSE",
                                       "ADRESSE/ORT", "ADRESSE/PLZ", "LAND",     "BEMERKUNG",
                                       "TYP"};
constexpr const char* kLongFields[] = {"ID",       "KONTONR", "BLZ",  "STATUS",
                                       "PROGRAMM", "LIMIT",   "FLAGS"};

std::string Konto(int number) {
  const std::string n = std::to_string(number);
  return "<KONTO><ID>" + n + "</ID><KONTONR>" + n +
         "00</KONTONR><BLZ>37040044</BLZ><STATUS>1</STATUS><PROGRAMM>3</PROGRAMM>"
         "<LIMIT>5000</LIMIT><FLAGS>12</FLAGS><NAME>Girokonto " +
         n +
         "</NAME><BANKNAME>Musterbank</BANKNAME><WAEHRUNG>EUR</WAEHRUNG>"
         "<INHABER>Erika Mustermann</INHABER><KONTAKT>kein Homebankingkontakt</KONTAKT>"
         "<IBAN>DE89370400440532013000</IBAN><BIC>COBADEFFXXX</BIC><ADRESSE>"
         "<STRASSE>Hauptstrasse 1</STRASSE><ORT>Koeln</ORT><PLZ>50667</PLZ></ADRESSE>"
         "<LAND>280</LAND><BEMERKUNG>privat</BEMERKUNG><TYP>HBCI</TYP></KONTO>";
}

std::string Konten(int count) {
  std::string text = "<KONTEN>";
  for (int i = 0; i < count; ++i) text += Konto(i);
  return text + "</KONTEN>";
}

std::string Values(int count) {
  std::string text = "<STATEMENT>";
  for (int i = 0; i < count; ++i) {
    text += "<ENTRY><VALUE PREFIX='+'>" + std::to_string(i) + "." + std::to_string(i % 100) +
            "</VALUE></ENTRY>";
  }
  return text + "</STATEMENT>";
}

std::wstring Wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::wstring WideOf(const char* text) {
  return Wide(text);
}

struct ComThread {
  ComThread() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  ~ComThread() { CoUninitialize(); }
};

void BM_ReadKontoRecord_CXmlClass(benchmark::State& state) {
  ComThread com;
  ddXML::CXmlClass xml(Wide(Konto(1)).c_str());
  std::wstring textPaths[std::size(kTextFields)];
  std::wstring longPaths[std::size(kLongFields)];
  for (std::size_t i = 0; i < std::size(kTextFields); ++i) textPaths[i] = WideOf(kTextFields[i]);
  for (std::size_t i = 0; i < std::size(kLongFields); ++i) longPaths[i] = WideOf(kLongFields[i]);
  for (auto _ : state) {
    for (const std::wstring& path : textPaths)
      benchmark::DoNotOptimize(xml.getNodeText(path.c_str()));
    for (const std::wstring& path : longPaths)
      benchmark::DoNotOptimize(xml.getNodeLong(path.c_str()));
  }
}
BENCHMARK(BM_ReadKontoRecord_CXmlClass);

// The same queries straight on libxml2: an XPath evaluation from the root
// element and the content of the first match.
void BM_ReadKontoRecord_RawLibxml2(benchmark::State& state) {
  const std::string text = Konto(1);
  xmlDocPtr doc =
      xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_NONET);
  xmlXPathContextPtr context = xmlXPathNewContext(doc);
  context->node = xmlDocGetRootElement(doc);
  auto read = [&](const char* path) {
    xmlXPathObjectPtr result = xmlXPathEval(reinterpret_cast<const xmlChar*>(path), context);
    xmlChar* content = nullptr;
    if (result != nullptr && result->nodesetval != nullptr && result->nodesetval->nodeNr > 0) {
      content = xmlNodeGetContent(result->nodesetval->nodeTab[0]);
    }
    xmlXPathFreeObject(result);
    return content;
  };
  for (auto _ : state) {
    for (const char* path : kTextFields) xmlFree(read(path));
    for (const char* path : kLongFields) {
      xmlChar* content = read(path);
      benchmark::DoNotOptimize(std::atol(reinterpret_cast<const char*>(content)));
      xmlFree(content);
    }
  }
  xmlXPathFreeContext(context);
  xmlFreeDoc(doc);
}
BENCHMARK(BM_ReadKontoRecord_RawLibxml2);

void BM_LoadKonten_CXmlClass(benchmark::State& state) {
  ComThread com;
  const std::wstring text = Wide(Konten(static_cast<int>(state.range(0))));
  ddXML::CXmlClass xml;
  for (auto _ : state) xml.loadXML(text.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadKonten_CXmlClass)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadKonten_RawLibxml2(benchmark::State& state) {
  const std::string text = Konten(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                  XML_PARSE_NONET);
    xmlFreeDoc(doc);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadKonten_RawLibxml2)->Arg(10000)->Unit(benchmark::kMillisecond);

// Rewrites 10,000 and 100,000 amounts; the document is rebuilt outside the
// timed part of every iteration.
void BM_ValueToGermanNotation(benchmark::State& state) {
  ComThread com;
  const std::wstring text = Wide(Values(static_cast<int>(state.range(0))));
  ddXML::CXmlClass xml;
  for (auto _ : state) {
    state.PauseTiming();
    xml.loadXML(text.c_str());
    state.ResumeTiming();
    xml.ValueToGermanNotation();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ValueToGermanNotation)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
