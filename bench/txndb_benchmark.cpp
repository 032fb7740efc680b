// AccountFind round trips through COrvTxnDBWrapper and the reference server on
// an embedded SQLite database, against the parameterised ODBC query a caller
// would otherwise run on the same database for the same account.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

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
using ebank::txndb::OdbcTestDirectory;

constexpr int kAccounts = 1000;
constexpr wchar_t kBankCode[] = L"50010517";

// One database of kAccounts accounts, filled through the server, and a
// wrapper connected to it; set up once for both benchmarks.
struct Setup {
  Setup() {
    std::ifstream file(EBANK_TXNDB_REGISTRY);
    ebank::platform::LoadRegistryForTesting(
        std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring dsn(connection.begin(), connection.end());
    db.Init(dsn.data(), const_cast<wchar_t*>(L""), const_cast<wchar_t*>(L""));
    if (db.ConnectDB() != S_OK) return;
    IOrvTxnDBAccounts* store = nullptr;
    db->QueryInterface(IID_IOrvTxnDBAccounts, reinterpret_cast<void**>(&store));
    for (int i = 0; i < kAccounts && store != nullptr; ++i) {
      CDBAccount account(BString(std::to_wstring(100000 + i).c_str()), BString(kBankCode),
                         BString(L"EUR"));
      LONG key = -1;
      if (store->AddAccount(account.KontoToXmlbStr(), &key) == S_OK) ++stored;
    }
    if (store != nullptr) store->Release();
  }

  OdbcTestDirectory directory{EBANK_SQLITE_ODBC_DRIVER};
  std::string connection = directory.SqliteConnectionString("bench.db");
  COrvTxnDBWrapper db;
  int stored = 0;
};

Setup& Shared() {
  static Setup* setup = new Setup;  // lives to the end of the process
  return *setup;
}

// The account looked up: the middle one of the table.
const std::string kNumber = std::to_string(100000 + kAccounts / 2);

void BM_WrapperAccountFind(benchmark::State& state) {
  Setup& setup = Shared();
  if (setup.stored != kAccounts) return state.SkipWithError("the accounts could not be stored");
  BString number(std::wstring(kNumber.begin(), kNumber.end()).c_str());
  BString bank_code(kBankCode);
  for (auto _ : state) {
    const LONG key = setup.db.AccountFind(number.ByVal(), bank_code.ByVal());
    if (key < 0) return state.SkipWithError("the account was not found");
    benchmark::DoNotOptimize(key);
  }
}
BENCHMARK(BM_WrapperAccountFind);

void BM_DirectOdbcQuery(benchmark::State& state) {
  Setup& setup = Shared();
  if (setup.stored != kAccounts) return state.SkipWithError("the accounts could not be stored");
  OdbcConnection connection;
  connection.Open(setup.connection);
  auto find = connection.Prepare(
      "SELECT KtoID FROM Konto WHERE szKtoNummer = ? AND szBlz = ? AND szCurrency = ?");
  for (auto _ : state) {
    find->Execute({kNumber, std::string("50010517"), std::string("EUR")});
    if (!find->Fetch()) return state.SkipWithError("the account was not found");
    benchmark::DoNotOptimize(find->Integer(1));
  }
}
BENCHMARK(BM_DirectOdbcQuery);

// The two halves of a wrapper round trip: writing the KONTO text (library
// side) and the server's answer to a ready KONTO text.
void BM_KontoToXml(benchmark::State& state) {
  BString number(std::wstring(kNumber.begin(), kNumber.end()).c_str());
  for (auto _ : state) {
    CDBAccount account(number, BString(kBankCode), BString(L"EUR"));
    benchmark::DoNotOptimize(account.KontoToXmlbStr());
  }
}
BENCHMARK(BM_KontoToXml);

void BM_ServerFindAccount(benchmark::State& state) {
  Setup& setup = Shared();
  if (setup.stored != kAccounts) return state.SkipWithError("the accounts could not be stored");
  CDBAccount account(BString(std::wstring(kNumber.begin(), kNumber.end()).c_str()),
                     BString(kBankCode), BString(L"EUR"));
  _bstr_t konto = account.KontoToXmlbStr();
  IOrvTxnDB2* server = setup.db.operator->();
  for (auto _ : state) {
    LONG key = -1;
    if (server->FindAccount(konto, &key) != S_OK) return state.SkipWithError("not found");
    benchmark::DoNotOptimize(key);
  }
}
BENCHMARK(BM_ServerFindAccount);

}  // namespace
