// The server on a shared PostgreSQL database: failures only a database server
// has. Runs when EBANK_TEST_PG names one (scripts/start-postgres.sh prints
// it); the scenarios every back-end shares are in txndb_server_test.cpp.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "tests/txndb/txndb_fixture.h"

namespace ebank::txndb {
namespace {

class TxnDbPostgresTest : public TxnDbFixture {
 protected:
  void SetUp() override {
    TxnDbFixture::SetUp();
    database_ = std::make_unique<PostgresTestSchema>();
    if (const std::string reason = database_->Unavailable(); !reason.empty())
      GTEST_SKIP() << reason;
    server_ = database_->server();
    pwd_ = database_->Password();
  }
  void TearDown() override {
    database_.reset();
    TxnDbFixture::TearDown();
  }

  std::string Database() const { return database_->ConnectionString(); }

  std::unique_ptr<PostgresTestSchema> database_;
  std::string server_, pwd_;
};

TEST_F(TxnDbPostgresTest, WrongPasswordAndStoppedServerFailWithTheDriverMessage) {
  COrvTxnDBWrapper wrong;
  Init(wrong, Database(), database_->User(), "not-" + pwd_);
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
  Init(stopped, port_one, database_->User(), pwd_);
  EXPECT_LT(stopped.ConnectDB(), 0);
  const std::string unreachable = LastErrorDescription();
  EXPECT_NE(unreachable.find("Connect: "), std::string::npos) << unreachable;
  EXPECT_EQ(unreachable.find(pwd_), std::string::npos) << unreachable;
}

TEST_F(TxnDbPostgresTest, LostConnectionFailsEachCallUntilReconnected) {
  COrvTxnDBWrapper db;
  Init(db, Database(), database_->User(), pwd_);
  ASSERT_EQ(db.ConnectDB(), S_OK) << LastErrorDescription();
  const LONG key = Add(db, L"1", L"2");
  ASSERT_GE(key, 0);

  // Ends the server's session from outside, as a restarted database would.
  database_->admin().Execute(
      "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
      "application_name = '" +
      database_->schema() + "'");
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
