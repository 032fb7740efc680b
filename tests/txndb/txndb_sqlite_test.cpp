// The server on an embedded SQLite database, reached the way components
// reach it: by ProgID through COrvTxnDBWrapper. The scenarios every back-end
// shares are in txndb_server_test.cpp.
#include <gtest/gtest.h>

#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "tests/txndb/txndb_fixture.h"

namespace ebank::txndb {
namespace {

class TxnDbSqliteTest : public TxnDbFixture {
 protected:
  void SetUp() override {
    TxnDbFixture::SetUp();
    if (const std::string reason = database_.Unavailable(); !reason.empty()) GTEST_SKIP() << reason;
  }
  std::string Database() const { return database_.ConnectionString(); }

  SqliteTestDatabase database_;
};

// Eight components add accounts at the same moment, each through a server
// object of its own on its own thread; under the tsan preset this also shows
// that the server's XML parsing does not race in libxml2's set-up.
TEST_F(TxnDbSqliteTest, AccountsAddedFromEightThreadsAtOnceAreAllStored) {
  constexpr int kThreads = 8;
  constexpr int kAccountsEach = 5;
  std::latch start(kThreads);
  std::vector<int> stored(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
      {
        COrvTxnDBWrapper db;
        Init(db,
             database_.directory().SqliteConnectionString("thread" + std::to_string(t) + ".db"));
        EXPECT_EQ(db.ConnectDB(), S_OK);
        start.arrive_and_wait();  // the first parse of every thread at once
        for (int i = 0; i < kAccountsEach; ++i) {
          const std::wstring number = std::to_wstring(t * 100 + i);
          if (Add(db, number.c_str(), L"50010517") >= 0) ++stored[t];
        }
      }
      CoUninitialize();
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(stored[t], kAccountsEach) << "thread " << t;
}

TEST_F(TxnDbSqliteTest, FailedConnectsReportTheDriverMessageWithoutThePassword) {
  COrvTxnDBWrapper unknown;
  Init(unknown, "NoSuchDataSource", "anna", "Sekret-4711");
  EXPECT_LT(unknown.ConnectDB(), 0);
  std::string description = LastErrorDescription();
  EXPECT_NE(description.find("IM002"), std::string::npos) << description;
  EXPECT_FALSE(unknown.IsConnected());

  // The driver manager names the missing driver file, here holding the
  // password; the error text masks it.
  COrvTxnDBWrapper missing_driver;
  Init(missing_driver, "Driver=/nonexistent/Sekret-4711.so;Database=x", "anna", "Sekret-4711");
  EXPECT_LT(missing_driver.ConnectDB(), 0);
  description = LastErrorDescription();
  EXPECT_NE(description.find("Connect: "), std::string::npos) << description;
  EXPECT_NE(description.find("/nonexistent/***.so"), std::string::npos) << description;
  EXPECT_EQ(description.find("Sekret"), std::string::npos) << description;

  // An unconnected server answers every account call with a failure.
  EXPECT_EQ(unknown.AccountFind(nullptr, nullptr), -1);
  IXMLDOMNodeListPtr list;
  EXPECT_LT(unknown.GetAccountList(list), 0);
  EXPECT_NE(LastErrorDescription().find("not connected"), std::string::npos);
  EXPECT_EQ(list, nullptr);

  // A later connect with good data succeeds on the same server object.
  Init(unknown, Database());
  EXPECT_EQ(unknown.ConnectDB(), S_OK);
  EXPECT_EQ(List(unknown).size(), 0u);
}

TEST_F(TxnDbSqliteTest, HostileArgumentsGiveFailingResultsAndKeepTheData) {
  COrvTxnDBWrapper db;
  Init(db, Database());
  const LONG key = Add(db, L"1", L"2");
  IOrvTxnDB2* server = db.operator->();

  LONG found = -7;
  for (const wchar_t* text : {L"", L"<KONTO>", L"<ACCOUNT/>", L"plain text",
                              L"<!DOCTYPE KONTO [<!ENTITY x 'y'>]><KONTO/>"}) {
    BSTR konto = SysAllocString(text);
    EXPECT_EQ(server->FindAccount(konto, &found), E_INVALIDARG);
    SysFreeString(konto);
  }
  EXPECT_EQ(server->FindAccount(nullptr, &found), E_INVALIDARG);
  EXPECT_EQ(found, -7);
  EXPECT_EQ(server->FindAccount(nullptr, nullptr), E_POINTER);
  EXPECT_EQ(server->GetAccounts(-1, nullptr), E_POINTER);
  BSTR accounts = SysAllocString(L"old");
  BSTR before = accounts;
  EXPECT_EQ(server->GetAccounts(0, &accounts), E_INVALIDARG);
  EXPECT_EQ(accounts, nullptr);
  SysFreeString(before);
  EXPECT_EQ(server->Reserved9(), E_NOTIMPL);
  EXPECT_EQ(server->Reserved41(), E_NOTIMPL);
  EXPECT_EQ(server->GetTypeInfoCount(nullptr), E_NOTIMPL);

  std::wstring overlong =
      L"<KONTO><NUMMER>3</NUMMER><NAME>" + std::wstring(300, L'n') + L"</NAME></KONTO>";
  BSTR konto = SysAllocString(overlong.c_str());
  IOrvTxnDBAccounts* store = nullptr;
  ASSERT_EQ(server->QueryInterface(IID_IOrvTxnDBAccounts, reinterpret_cast<void**>(&store)), S_OK);
  EXPECT_EQ(static_cast<IOrvTxnDB2*>(store), server);
  LONG added = -1;
  EXPECT_EQ(store->AddAccount(konto, &added), E_INVALIDARG);
  EXPECT_NE(LastErrorDescription().find("255"), std::string::npos);
  EXPECT_EQ(Add(db, L"1", L"2"), E_FAIL);  // the same account twice
  store->Release();
  SysFreeString(konto);

  for (const wchar_t* request : {L"", L"<CONNECT/>", L"<CONNECT><ODBC></ODBC></CONNECT>"}) {
    BSTR text = SysAllocString(request);
    EXPECT_EQ(server->Connect(text), E_INVALIDARG);
    SysFreeString(text);
  }
  EXPECT_EQ(Find(db, L"1", L"2"), key);
  EXPECT_EQ(List(db).size(), 1u);
}

}  // namespace
}  // namespace ebank::txndb
