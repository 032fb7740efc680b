// The account record and the database wrapper against raw libxml2 doing the
// same work on the same text: one KONTO read and written back, and a list of
// 10,000 accounts fetched from a scripted server and read record by record.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/raw_konto.h"
#include "benchmark/benchmark.h"
#include "ebank/banking/cdb_account.h"
#include "ebank/banking/orv_txn_db_wrapper.h"
#include "ebank/banking/testing/test_txn_db.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/com/class_table.h"
#include "ebank/platform/win32/code_page.h"
#include "ebank/xml/xml_class.h"

namespace {

using ebank::bench::Named;
using ebank::bench::ParseRaw;
using ebank::bench::RawKonto;
using ebank::bench::ReadRaw;
using ebank::bench::WriteRaw;

std::string Konto(int number) {
  const std::string n = std::to_string(number);
  return "<KONTO><ID>" + n +
         "</ID><FK_KEY_DOWN>-1</FK_KEY_DOWN><FK_KEY_UP>-1</FK_KEY_UP>"
         "<NUMMER>00" +
         n +
         "</NUMMER><BLZ>37050198</BLZ><CURRENCY>EUR</CURRENCY>"
         "<ONLINE>1</ONLINE><BEZEICHNUNG>Girokonto " +
         n +
         "</BEZEICHNUNG>"
         "<BANKNAME>Sparkasse K\xc3\xb6ln &amp; Bonn</BANKNAME><CONTACTNAME>Hausbank</CONTACTNAME>"
         "<CONTACTTYPE>HBCI</CONTACTTYPE><NAME>J\xc3\xbcrgen M\xc3\xbcller</NAME>"
         "<NAMEEX>O'Brien</NAMEEX><CITY>K\xc3\xb6ln</CITY><STREET>Domplatz 1</STREET>"
         "<CITYCODE>50667</CITYCODE><COUNTRYCODE>280</COUNTRYCODE><DATE_LASTDOWNLOAD>"
         "<DATE YEAR=\"2024\" MONTH=\"02\" DAY=\"29\"/></DATE_LASTDOWNLOAD></KONTO>";
}

std::string Konten(int count) {
  std::string text = "<KONTEN>";
  for (int i = 0; i < count; ++i) text += Konto(i);
  return text + "</KONTEN>";
}

// UTF-8 to wide, as the server would hand the text over.
std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return wide;
}

struct ComThread {
  ComThread() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  ~ComThread() { CoUninitialize(); }
};

void BM_KontoRoundTrip_CDBAccount(benchmark::State& state) {
  ComThread com;
  std::wstring text = Wide(Konto(42));
  for (auto _ : state) {
    CDBAccount account;
    account.XmlToKonto(text.data());
    ddXML::CXmlClass doc;
    account.KontoToXml(doc);
    benchmark::DoNotOptimize(doc.getDocument());
  }
}
BENCHMARK(BM_KontoRoundTrip_CDBAccount);

void BM_KontoRoundTrip_RawLibxml2(benchmark::State& state) {
  const std::string text = Konto(42);
  for (auto _ : state) {
    xmlDocPtr doc = ParseRaw(text);
    const RawKonto record = ReadRaw(xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    xmlDocPtr written = WriteRaw(record);
    benchmark::DoNotOptimize(written);
    xmlFreeDoc(written);
  }
}
BENCHMARK(BM_KontoRoundTrip_RawLibxml2);

// The scripted server answers every GetAccounts with `count` accounts.
class ListServer {
 public:
  explicit ListServer(int count) {
    state_.accounts_text = Wide(Konten(count));
    ebank::platform::RegisterClassFactory(ebank::testing::CLSID_TestTxnDB, L"Brantel.OrvTxnDB",
                                          &factory_);
  }
  ~ListServer() { ebank::platform::RevokeClassFactory(ebank::testing::CLSID_TestTxnDB); }

 private:
  ebank::testing::TxnDBTestState state_;
  ebank::testing::TestTxnDBFactory factory_{state_};
};

// The list through the wrapper, each record read into a CDBAccount or, with
// `read` false, not: how the time divides between fetching and parsing the
// server's text and reading each record.
void BM_AccountList_Wrapper(benchmark::State& state, bool read) {
  ComThread com;
  ListServer server(static_cast<int>(state.range(0)));
  COrvTxnDBWrapper db;
  for (auto _ : state) {
    IXMLDOMNodeListPtr list;
    db.GetAccountList(list);
    benchmark::DoNotOptimize(list->Getlength());
    if (!read) continue;
    for (IXMLDOMNodePtr node = list->nextNode(); node != nullptr; node = list->nextNode()) {
      CDBAccount account(node);
      benchmark::DoNotOptimize(account.m_lKtoID);
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_AccountList_Wrapper, Reading, true)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AccountList_Wrapper, WithoutReading, false)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

void BM_AccountList_RawLibxml2(benchmark::State& state) {
  const std::string text = Konten(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    xmlDocPtr doc = ParseRaw(text);
    for (xmlNodePtr konto = xmlDocGetRootElement(doc)->children; konto != nullptr;
         konto = konto->next) {
      if (konto->type == XML_ELEMENT_NODE && Named(konto, "KONTO")) {
        benchmark::DoNotOptimize(ReadRaw(konto).numbers[0]);
      }
    }
    xmlFreeDoc(doc);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AccountList_RawLibxml2)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
