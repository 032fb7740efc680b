// The scenarios every database back-end of the server must pass, on an
// embedded SQLite database and (when EBANK_TEST_PG names one) on PostgreSQL.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tests/txndb/test_databases.h"
#include "tests/txndb/txndb_fixture.h"

namespace ebank::txndb {
namespace {

enum class Backend { kSqlite, kPostgres };

const char* NameOf(Backend backend) {
  return backend == Backend::kSqlite ? "Sqlite" : "Postgres";
}
// Names the back-end in test names and failure messages.
void PrintTo(Backend backend, std::ostream* out) {
  *out << NameOf(backend);
}

class TxnDbServerTest : public TxnDbFixture, public ::testing::WithParamInterface<Backend> {
 protected:
  void SetUp() override {
    TxnDbFixture::SetUp();
    if (GetParam() == Backend::kSqlite) {
      database_ = std::make_unique<SqliteTestDatabase>();
    } else {
      database_ = std::make_unique<PostgresTestSchema>();
    }
    if (const std::string reason = database_->Unavailable(); !reason.empty()) {
      GTEST_SKIP() << reason;
    }
  }
  void TearDown() override {
    database_.reset();
    TxnDbFixture::TearDown();
  }

  void Init(COrvTxnDBWrapper& db) const { TxnDbFixture::Init(db, *database_); }

  std::unique_ptr<TestDatabase> database_;
};

TEST_P(TxnDbServerTest, StoresFindsAndListsAccountsWithSqlText) {
  COrvTxnDBWrapper db;
  Init(db);
  ASSERT_EQ(db.ConnectDB(), S_OK) << LastErrorDescription();
  EXPECT_TRUE(db.IsConnected());

  const LONG giro = Add(db, L"1234567", L"37040044", L"J\u00fcrgen M\u00fcller");
  const LONG spar = Add(db, L"1234567", L"10020030");
  const LONG quoted = Add(db, L"O'Neil", L"37040044");
  const LONG injected = Add(db, L"1'; DROP TABLE Konto; --", L"37040044");
  ASSERT_GE(giro, 0) << LastErrorDescription();
  ASSERT_GE(spar, 0);
  ASSERT_GE(quoted, 0);
  ASSERT_GE(injected, 0);
  EXPECT_NE(giro, spar);

  EXPECT_EQ(Find(db, L"1234567", L"37040044"), giro);
  EXPECT_EQ(Find(db, L"1234567", L"10020030"), spar);
  EXPECT_EQ(Find(db, L"O'Neil", L"37040044"), quoted);
  EXPECT_EQ(Find(db, L"1'; DROP TABLE Konto; --", L"37040044"), injected);
  EXPECT_EQ(Find(db, L"1234567' OR '1'='1", L"37040044"), -1);
  EXPECT_EQ(Find(db, L"1234567", L"99999999"), -1);
  EXPECT_EQ(Find(db, L"", L""), -1);

  const std::vector<CDBAccount> all = List(db);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].m_lKtoID, giro);
  EXPECT_TRUE(all[0].m_bstrName == BString(L"J\u00fcrgen M\u00fcller"));
  EXPECT_TRUE(all[1].m_bstrBLZ == "10020030");
  EXPECT_TRUE(all[2].m_bstrNummer == BString(L"O'Neil"));
  EXPECT_TRUE(all[3].m_bstrNummer == BString(L"1'; DROP TABLE Konto; --"));
  EXPECT_TRUE(all[3].m_bstrCurrency == "EUR");

  // A second wrapper on the same database sees the stored accounts.
  COrvTxnDBWrapper again;
  Init(again);
  EXPECT_EQ(Find(again, L"O'Neil", L"37040044"), quoted);
  EXPECT_EQ(again.DisconnectDB(), S_OK);
  EXPECT_EQ(again.DisconnectDB(), S_FALSE);
}

TEST_P(TxnDbServerTest, ListsAndFindsAmongTenThousandAccounts) {
  COrvTxnDBWrapper db;
  Init(db);
  ASSERT_EQ(db.ConnectDB(), S_OK) << LastErrorDescription();
  for (int i = 0; i < 10000; ++i) {
    ASSERT_GE(Add(db, std::to_wstring(100000 + i).c_str(), L"50010517"), 0) << i;
  }
  const std::vector<CDBAccount> all = List(db);
  ASSERT_EQ(all.size(), 10000u);
  EXPECT_TRUE(all.front().m_bstrNummer == "100000");
  EXPECT_TRUE(all.back().m_bstrNummer == "109999");
  EXPECT_EQ(Find(db, L"100000", L"50010517"), all.front().m_lKtoID);
  EXPECT_EQ(Find(db, L"105000", L"50010517"), all[5000].m_lKtoID);
  EXPECT_EQ(Find(db, L"109999", L"50010517"), all.back().m_lKtoID);
  EXPECT_EQ(Find(db, L"110000", L"50010517"), -1);
}

INSTANTIATE_TEST_SUITE_P(Backends, TxnDbServerTest,
                         ::testing::Values(Backend::kSqlite, Backend::kPostgres),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                           return std::string(NameOf(info.param));
                         });

}  // namespace
}  // namespace ebank::txndb
