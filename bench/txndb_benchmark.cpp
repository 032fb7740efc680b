// COrvTxnDBWrapper and the reference server against the same work written
// directly on ODBC and libxml2, in the same run:
// - AccountFind on an embedded SQLite table of 1000 accounts, against the
//   parameterised query a caller would otherwise run;
// - the typical request of a component, end to end: a KONTO text read with
//   XmlToKonto, checked with IsKontoValid, its key found with AccountFind and
//   the list of all 100 accounts fetched with GetAccountList and read record
//   by record; against parsing the text with libxml2, the same checks, the
//   same query, and a SELECT of every row built into a document of KONTO
//   elements and read back record by record. On 1, 2 and 4 threads, each thread
//   with its own wrapper or connection, on SQLite and, when EBANK_TEST_PG
//   names a server (scripts/start-postgres.sh), on PostgreSQL.
#include <benchmark/benchmark.h>
#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bench/raw_konto.h"
#include "ebank/banking/cdb_account.h"
#include "ebank/banking/orv_txn_db_accounts.h"
#include "ebank/banking/orv_txn_db_wrapper.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/platform/win32/registry.h"
#include "ebank/platform/win32/testing/registry_for_testing.h"
#include "servers/txndb/odbc_connection.h"
#include "servers/txndb/testing/odbc_test_directory.h"

namespace {

using BString = ddCOM::BString<wchar_t>;
using ebank::txndb::OdbcConnection;
using ebank::txndb::OdbcStatement;
using ebank::txndb::OdbcTestDirectory;

constexpr wchar_t kBankCode[] = L"50010517";

std::wstring Widened(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The account numbered `i` of a table, with every field set.
CDBAccount Account(int i) {
  CDBAccount account(BString(std::to_wstring(100000 + i).c_str()), BString(kBankCode),
                     BString(L"EUR"));
  account.m_bstrBezeichnung = BString(L"Girokonto");
  account.m_bstrBankName = BString(L"Sparkasse K\u00f6lnBonn");
  account.m_bstrContactName = BString(L"Hausbank");
  account.m_bstrContactType = BString(L"HBCI");
  account.m_bstrName = BString(L"J\u00fcrgen M\u00fcller & S\u00f6hne");
  account.m_bstrCity = BString(L"K\u00f6ln");
  account.m_bstrStreet = BString(L"Domplatz 1");
  account.m_lCityCode = 50667;
  account.m_lCountryCode = 280;
  account.m_dtLastDownload.SetDate(2024, 2, 29);
  return account;
}

struct ComThread {
  ComThread() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  ~ComThread() { CoUninitialize(); }
};

// A table of `count` accounts stored through the server: on an SQLite file
// of a temporary directory or, for PostgreSQL, in a schema of its own that
// is dropped at exit.
class Database {
 public:
  Database(bool postgres, int count) : count_(count) {
    std::ifstream file(EBANK_TXNDB_REGISTRY);
    ebank::platform::LoadRegistryForTesting(
        std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
    if (postgres) {
      const std::string server = Environment("EBANK_TEST_PG");
      if (server.empty()) return;
      uid_ = Environment("EBANK_TEST_PG_UID");
      pwd_ = Environment("EBANK_TEST_PG_PWD");
      schema_ = "bench" + std::to_string(getpid()) + "_" + std::to_string(count);
      admin_.Open(server + ";UID=" + uid_ + ";PWD=" + pwd_);
      admin_.Execute("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
      admin_.Execute("CREATE SCHEMA " + schema_);
      connection_ = server + ";ConnSettings={SET search_path TO " + schema_ + "}";
    } else {
      connection_ = directory_.SqliteConnectionString("bench" + std::to_string(count) + ".db");
    }
    Fill();
  }
  ~Database() {
    if (admin_.IsOpen()) admin_.Execute("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
  }

  bool ready() const { return stored_ == count_; }
  int count() const { return count_; }
  // Connects a wrapper of the calling thread.
  bool Connect(COrvTxnDBWrapper& db) const {
    std::wstring dsn = Widened(connection_), uid = Widened(uid_), pwd = Widened(pwd_);
    db.Init(dsn.data(), uid.data(), pwd.data());
    return db.ConnectDB() == S_OK;
  }
  // Opens a direct connection of the calling thread.
  void Open(OdbcConnection& connection) const {
    connection.Open(uid_.empty() ? connection_ : connection_ + ";UID=" + uid_ + ";PWD=" + pwd_);
  }

 private:
  void Fill() {
    ComThread com;
    COrvTxnDBWrapper db;
    if (!Connect(db)) return;
    IOrvTxnDBAccounts* store = nullptr;
    db->QueryInterface(IID_IOrvTxnDBAccounts, reinterpret_cast<void**>(&store));
    for (int i = 0; i < count_ && store != nullptr; ++i) {
      LONG key = -1;
      if (store->AddAccount(Account(i).KontoToXmlbStr(), &key) == S_OK) ++stored_;
    }
    if (store != nullptr) store->Release();
  }

  const int count_;
  int stored_ = 0;
  OdbcTestDirectory directory_{EBANK_SQLITE_ODBC_DRIVER};
  OdbcConnection admin_;
  std::string connection_, uid_, pwd_, schema_;
};

// One database per backend and size for the whole process, made on first use.
const Database& Shared(bool postgres, int count) {
  if (postgres) {
    static const Database postgres_list(true, 100);
    return postgres_list;
  }
  if (count == 1000) {
    static const Database sqlite_find(false, 1000);
    return sqlite_find;
  }
  static const Database sqlite_list(false, 100);
  return sqlite_list;
}

// The account looked up: the middle one of the table.
std::string MiddleNumber(int count) {
  return std::to_string(100000 + count / 2);
}

void BM_WrapperAccountFind(benchmark::State& state) {
  const Database& database = Shared(false, 1000);
  if (!database.ready()) return state.SkipWithError("the accounts could not be stored");
  ComThread com;
  COrvTxnDBWrapper db;
  if (!database.Connect(db)) return state.SkipWithError("the wrapper cannot connect");
  BString number(Widened(MiddleNumber(database.count())).c_str());
  BString bank_code(kBankCode);
  for (auto _ : state) {
    const LONG key = db.AccountFind(number.ByVal(), bank_code.ByVal());
    if (key < 0) return state.SkipWithError("the account was not found");
    benchmark::DoNotOptimize(key);
  }
}
BENCHMARK(BM_WrapperAccountFind);

constexpr char kFindSql[] =
    "SELECT KtoID FROM Konto WHERE szKtoNummer = ? AND szBlz = ? AND szCurrency = ?";

void BM_DirectOdbcQuery(benchmark::State& state) {
  const Database& database = Shared(false, 1000);
  if (!database.ready()) return state.SkipWithError("the accounts could not be stored");
  OdbcConnection connection;
  database.Open(connection);
  auto find = connection.Prepare(kFindSql);
  const std::string number = MiddleNumber(database.count());
  for (auto _ : state) {
    find->Execute({number, std::string("50010517"), std::string("EUR")});
    if (!find->Fetch()) return state.SkipWithError("the account was not found");
    benchmark::DoNotOptimize(find->Integer(1));
  }
}
BENCHMARK(BM_DirectOdbcQuery);

// The two halves of a wrapper round trip: writing the KONTO text (library
// side) and the server's answer to a ready KONTO text.
void BM_KontoToXml(benchmark::State& state) {
  BString number(Widened(MiddleNumber(1000)).c_str());
  for (auto _ : state) {
    CDBAccount account(number, BString(kBankCode), BString(L"EUR"));
    benchmark::DoNotOptimize(account.KontoToXmlbStr());
  }
}
BENCHMARK(BM_KontoToXml);

void BM_ServerFindAccount(benchmark::State& state) {
  const Database& database = Shared(false, 1000);
  if (!database.ready()) return state.SkipWithError("the accounts could not be stored");
  ComThread com;
  COrvTxnDBWrapper db;
  if (!database.Connect(db)) return state.SkipWithError("the wrapper cannot connect");
  CDBAccount account(BString(Widened(MiddleNumber(database.count())).c_str()), BString(kBankCode),
                     BString(L"EUR"));
  _bstr_t konto = account.KontoToXmlbStr();
  IOrvTxnDB2* server = db.operator->();
  for (auto _ : state) {
    LONG key = -1;
    if (server->FindAccount(konto, &key) != S_OK) return state.SkipWithError("not found");
    benchmark::DoNotOptimize(key);
  }
}
BENCHMARK(BM_ServerFindAccount);

// The request's KONTO text: the middle account of the list, as the library
// writes it (wide) and as UTF-8 for the direct reader.
std::wstring RequestText(int count) {
  const _bstr_t text = Account(count / 2).KontoToXmlbStr();
  return std::wstring(static_cast<const wchar_t*>(text), text.length());
}

std::string Utf8(const std::wstring& text) {
  std::string utf8;
  for (wchar_t c : text) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else {  // the request's texts stay below U+0800
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

void BM_TypicalRequest_Library(benchmark::State& state, bool postgres) {
  const Database& database = Shared(postgres, 100);
  if (!database.ready()) return state.SkipWithError("no database (EBANK_TEST_PG unset?)");
  ComThread com;
  COrvTxnDBWrapper db;
  if (!database.Connect(db)) return state.SkipWithError("the wrapper cannot connect");
  std::wstring text = RequestText(database.count());
  for (auto _ : state) {
    CDBAccount account;
    account.XmlToKonto(text.data());
    if (!account.IsKontoValid(true)) return state.SkipWithError("the account is not valid");
    const LONG key = db.AccountFind(account.m_bstrNummer.ByVal(), account.m_bstrBLZ.ByVal());
    if (key < 0) return state.SkipWithError("the account was not found");
    IXMLDOMNodeListPtr list;
    if (db.GetAccountList(list) != S_OK) return state.SkipWithError("no account list");
    LONG read = 0;
    for (IXMLDOMNodePtr node = list->nextNode(); node != nullptr; node = list->nextNode()) {
      CDBAccount record(node);
      read += record.m_lKtoID == key;
    }
    if (read != 1) return state.SkipWithError("the list lacks the account");
  }
  state.SetItemsProcessed(state.iterations());
}

// One row of the list query as a record.
ebank::bench::RawKonto RowOf(OdbcStatement& list) {
  ebank::bench::RawKonto record;
  record.numbers[0] = list.Integer(1).value_or(0);
  record.numbers[1] = list.Integer(2).value_or(0);
  record.numbers[2] = list.Integer(3).value_or(0);
  for (int column = 4; column <= 6; ++column)
    record.texts[column - 4] = list.Text(column).value_or("");
  record.numbers[3] = list.Integer(7).value_or(0);
  for (int column = 8; column <= 15; ++column)
    record.texts[column - 5] = list.Text(column).value_or("");
  record.numbers[4] = list.Integer(16).value_or(0);
  record.numbers[5] = list.Integer(17).value_or(0);
  const std::string date = list.Text(18).value_or("");
  if (date.size() == 10) {
    record.year = std::atoi(date.c_str());
    record.month = std::atoi(date.c_str() + 5);
    record.day = std::atoi(date.c_str() + 8);
  }
  return record;
}

// The same request straight on libxml2 and ODBC, from the UTF-8 text. The
// list is built as the same document of KONTO elements the library hands
// out, from the rows directly.
void BM_TypicalRequest_Direct(benchmark::State& state, bool postgres) {
  using ebank::bench::RawKonto;
  const Database& database = Shared(postgres, 100);
  if (!database.ready()) return state.SkipWithError("no database (EBANK_TEST_PG unset?)");
  OdbcConnection connection;
  database.Open(connection);
  auto find = connection.Prepare(kFindSql);
  auto list = connection.Prepare(
      "SELECT KtoID, lFkKeyDown, lFkKeyUp, szKtoNummer, szBlz, szCurrency, lOnline, "
      "szBezeichnung, szBankName, szContactName, szContactType, szName, szNameEx, szCity, "
      "szStreet, lCityCode, lCountryCode, dtLastDownload FROM Konto ORDER BY KtoID");
  const std::string text = Utf8(RequestText(database.count()));
  for (auto _ : state) {
    xmlDocPtr doc = ebank::bench::ParseRaw(text);
    const RawKonto account = ebank::bench::ReadRaw(xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    const std::string& number = account.texts[0];
    const std::string& bank_code = account.texts[1];
    const std::string currency = account.texts[2].empty() ? "EUR" : account.texts[2];
    const bool known =
        strcasecmp(currency.c_str(), "EUR") == 0 || strcasecmp(currency.c_str(), "EURO") == 0 ||
        strcasecmp(currency.c_str(), "DM") == 0 || strcasecmp(currency.c_str(), "DEM") == 0;
    if (number.empty() || bank_code.empty() || account.texts[2].empty() || !known) {
      return state.SkipWithError("the account is not valid");
    }
    find->Execute({number, bank_code, currency});
    if (!find->Fetch()) return state.SkipWithError("the account was not found");
    const int32_t key = find->Integer(1).value_or(-1);
    // The list as the library gives it: KONTO elements under one root,
    // read record by record.
    xmlDocPtr konten = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    xmlNodePtr root =
        xmlNewDocNode(konten, nullptr, reinterpret_cast<const xmlChar*>("KONTEN"), nullptr);
    xmlDocSetRootElement(konten, root);
    list->Execute({});
    while (list->Fetch()) {
      ebank::bench::FillRaw(
          xmlNewChild(root, nullptr, reinterpret_cast<const xmlChar*>("KONTO"), nullptr),
          RowOf(*list));
    }
    int read = 0;
    for (xmlNodePtr konto = root->children; konto != nullptr; konto = konto->next) {
      read += ebank::bench::ReadRaw(konto).numbers[0] == key;
    }
    xmlFreeDoc(konten);
    if (read != 1) return state.SkipWithError("the list lacks the account");
  }
  state.SetItemsProcessed(state.iterations());
}

// Each thread count in turn; throughput is counted in wall-clock time.
void OnOneTwoAndFourThreads(benchmark::internal::Benchmark* benchmark) {
  benchmark->Threads(1)->Threads(2)->Threads(4)->UseRealTime()->Unit(benchmark::kMicrosecond);
}
BENCHMARK_CAPTURE(BM_TypicalRequest_Library, SQLite, false)->Apply(OnOneTwoAndFourThreads);
BENCHMARK_CAPTURE(BM_TypicalRequest_Direct, SQLite, false)->Apply(OnOneTwoAndFourThreads);
BENCHMARK_CAPTURE(BM_TypicalRequest_Library, PostgreSQL, true)->Apply(OnOneTwoAndFourThreads);
BENCHMARK_CAPTURE(BM_TypicalRequest_Direct, PostgreSQL, true)->Apply(OnOneTwoAndFourThreads);

}  // namespace
