// The server on a shared PostgreSQL database. Runs when EBANK_TEST_PG holds a
// DSN-less connection string without credentials and EBANK_TEST_PG_UID and
// EBANK_TEST_PG_PWD the role's (scripts/start-postgres.sh prints all three).
//
// Each test works in a schema of its own, so that tests running side by side
// never see each other's account table.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "servers/txndb/odbc_connection.h"
#include "tests/txndb/txndb_fixture.h"

namespace ebank::txndb {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

class TxnDbPostgresTest : public TxnDbFixture {
 protected:
  void SetUp() override {
    TxnDbFixture::SetUp();
    server_ = Environment("EBANK_TEST_PG");
    uid_ = Environment("EBANK_TEST_PG_UID");
    pwd_ = Environment("EBANK_TEST_PG_PWD");
    if (server_.empty()) {
      GTEST_SKIP() << "EBANK_TEST_PG is not set: start a server with "
                      "eval \"$(scripts/start-postgres.sh)\"";
    }
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    schema_ = "t" + std::to_string(getpid()) + "_" + test->name();
    admin_.Open(server_ + ";UID=" + uid_ + ";PWD=" + pwd_);
    admin_.Execute("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
    admin_.Execute("CREATE SCHEMA " + schema_);
  }
  void TearDown() override {
    if (admin_.IsOpen()) admin_.Execute("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
    TxnDbFixture::TearDown();
  }

  // The connection string of the test's schema; the application name lets a
  // test find its server's session.
  std::string Database() const {
    return server_ + ";ConnSettings={SET search_path TO " + schema_ +
           "; SET application_name TO '" + schema_ + "'}";
  }

  std::string server_, uid_, pwd_, schema_;
  OdbcConnection admin_;
};

TEST_F(TxnDbPostgresTest, CreatesFindsAndListsAccountsWithQuotesAndSqlText) {
  COrvTxnDBWrapper db;
  Init(db, Database(), uid_, pwd_);
  ASSERT_EQ(db.ConnectDB(), S_OK) << LastErrorDescription();
  const LONG giro = Add(db, L"1234567", L"37040044", L"J\u00fcrgen M\u00fcller");
  const LONG quoted = Add(db, L"O'Neil", L"37040044");
  const LONG injected = Add(db, L"1'; DROP TABLE Konto; --", L"37040044");
  ASSERT_GE(giro, 0) << LastErrorDescription();
  ASSERT_GE(quoted, 0);
  ASSERT_GE(injected, 0);

  EXPECT_EQ(Find(db, L"1234567", L"37040044"), giro);
  EXPECT_EQ(Find(db, L"O'Neil", L"37040044"), quoted);
  EXPECT_EQ(Find(db, L"1'; DROP TABLE Konto; --", L"37040044"), injected);
  EXPECT_EQ(Find(db, L"1234567' OR '1'='1", L"37040044"), -1);
  EXPECT_EQ(Find(db, L"1234567", L"10020030"), -1);

  const std::vector<CDBAccount> all = List(db);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].m_lKtoID, giro);
  EXPECT_TRUE(all[0].m_bstrName == BString(L"J\u00fcrgen M\u00fcller"));
  EXPECT_TRUE(all[1].m_bstrNummer == BString(L"O'Neil"));
}

TEST_F(TxnDbPostgresTest, ListsAndFindsAmongTenThousandAccounts) {
  COrvTxnDBWrapper db;
  Init(db, Database(), uid_, pwd_);
  ASSERT_EQ(db.ConnectDB(), S_OK) << LastErrorDescription();
  for (int i = 0; i < 10000; ++i) {
    ASSERT_GE(Add(db, std::to_wstring(200000 + i).c_str(), L"50010517"), 0) << i;
  }
  const std::vector<CDBAccount> all = List(db);
  ASSERT_EQ(all.size(), 10000u);
  EXPECT_TRUE(all.back().m_bstrNummer == "209999");
  EXPECT_EQ(Find(db, L"200000", L"50010517"), all.front().m_lKtoID);
  EXPECT_EQ(Find(db, L"207777", L"50010517"), all[7777].m_lKtoID);
  EXPECT_EQ(Find(db, L"210000", L"50010517"), -1);
}

TEST_F(TxnDbPostgresTest, WrongPasswordAndStoppedServerFailWithTheDriverMessage) {
  COrvTxnDBWrapper wrong;
  Init(wrong, Database(), uid_, "not-" + pwd_);
  EXPECT_LT(wrong.ConnectDB(), 0);
  const std::string refused = LastErrorDescription();
  EXPECT_NE(refused.find("password authentication failed"), std::string::npos) << refused;
  EXPECT_EQ(refused.find(pwd_), std::string::npos) << refused;
  EXPECT_FALSE(wrong.IsConnected());
  EXPECT_EQ(wrong.AccountFind(nullptr, nullptr), -1);

  // Port 1 on the loopback address has no server behind it.
  COrvTxnDBWrapper stopped;
  const std::string port_one = std::regex_replace(server_, std::regex("Port=[0-9]+"), "Port=1");
  ASSERT_NE(port_one, server_) << "EBANK_TEST_PG names no port";
  Init(stopped, port_one, uid_, pwd_);
  EXPECT_LT(stopped.ConnectDB(), 0);
  const std::string unreachable = LastErrorDescription();
  EXPECT_NE(unreachable.find("Connect: "), std::string::npos) << unreachable;
  EXPECT_EQ(unreachable.find(pwd_), std::string::npos) << unreachable;
}

TEST_F(TxnDbPostgresTest, LostConnectionFailsEachCallUntilReconnected) {
  COrvTxnDBWrapper db;
  Init(db, Database(), uid_, pwd_);
  ASSERT_EQ(db.ConnectDB(), S_OK) << LastErrorDescription();
  const LONG key = Add(db, L"1", L"2");
  ASSERT_GE(key, 0);

  // Ends the server's session from outside, as a restarted database would.
  admin_.Execute(
      "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
      "application_name = '" +
      schema_ + "'");
  EXPECT_EQ(Find(db, L"1", L"2"), -1);
  IXMLDOMNodeListPtr list;
  EXPECT_LT(db.GetAccountList(list), 0);
  EXPECT_NE(LastErrorDescription().find("GetAccounts: "), std::string::npos);

  EXPECT_EQ(db.DisconnectDB(), S_OK);
  EXPECT_EQ(db.ConnectDB(), S_OK);
  EXPECT_EQ(Find(db, L"1", L"2"), key);
}

}  // namespace
}  // namespace ebank::txndb
