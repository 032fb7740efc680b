#include "servers/txndb/account_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "servers/txndb/testing/odbc_test_directory.h"

// The SQLite ODBC driver leaks what it allocates while reading a named data
// source from odbc.ini (ReportsConnectFailuresAndUseWithoutConnection connects
// by name); LeakSanitizer is told so instead of failing on it. The full unwind
// lets the suppression see the driver's frame below the helper it unloads.
extern "C" const char* __asan_default_options() {
  return "fast_unwind_on_malloc=0";
}
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libsqlite3odbc.so\n";
}

namespace ebank::txndb {
namespace {

class AccountTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!directory_.HasDriver()) GTEST_SKIP() << "the SQLite ODBC driver is not installed";
    table_.Open(directory_.SqliteConnectionString("accounts.db"));
  }

  static KontoRecord Account(std::string nummer, std::string blz, std::string currency = "EUR") {
    KontoRecord record;
    record.nummer = std::move(nummer);
    record.blz = std::move(blz);
    record.currency = std::move(currency);
    return record;
  }

  std::vector<KontoRecord> All() {
    std::vector<KontoRecord> all;
    table_.ForEach([&all](const KontoRecord& record) { all.push_back(record); });
    return all;
  }

  OdbcTestDirectory directory_{EBANK_SQLITE_ODBC_DRIVER};
  AccountTable table_;
};

TEST_F(AccountTableTest, FindsAccountsByNumberBankCodeAndCurrencyAcrossReopening) {
  const int32_t first = table_.Add(Account("1234", "10020030"));
  const int32_t second = table_.Add(Account("1234", "10020030", "DEM"));
  const int32_t third = table_.Add(Account("1234", "99999999"));
  EXPECT_NE(first, second);
  EXPECT_NE(second, third);

  EXPECT_EQ(table_.Find("1234", "10020030", "EUR"), first);
  EXPECT_EQ(table_.Find("1234", "10020030", "DEM"), second);
  EXPECT_EQ(table_.Find("1234", "99999999", "EUR"), third);
  EXPECT_EQ(table_.Find("1234", "10020030", "USD"), std::nullopt);
  EXPECT_EQ(table_.Find("12345", "10020030", "EUR"), std::nullopt);
  EXPECT_EQ(table_.Find("", "", ""), std::nullopt);

  // A second open finds the existing table and keeps its rows.
  table_.Open(directory_.SqliteConnectionString("accounts.db"));
  EXPECT_EQ(table_.Find("1234", "99999999", "EUR"), third);
  EXPECT_EQ(All().size(), 3u);
}

TEST_F(AccountTableTest, StoresQuotesAndSqlTextAsPlainValues) {
  const std::vector<std::string> hostile = {
      "O'Neil", "1' OR '1'='1", "x'; DROP TABLE Konto; --", "\"; DELETE FROM Konto; --", "%_\\",
      "?"};
  for (const std::string& number : hostile) table_.Add(Account(number, "12345678"));
  for (const std::string& number : hostile) {
    EXPECT_TRUE(table_.Find(number, "12345678", "EUR").has_value()) << number;
  }
  // A wildcard or an always-true condition must not match other rows.
  EXPECT_EQ(table_.Find("%", "12345678", "EUR"), std::nullopt);
  EXPECT_EQ(table_.Find("1", "12345678", "EUR"), std::nullopt);
  const std::vector<KontoRecord> all = All();
  ASSERT_EQ(all.size(), hostile.size());
  for (size_t i = 0; i < hostile.size(); ++i) EXPECT_EQ(all[i].nummer, hostile[i]);
}

TEST_F(AccountTableTest, ListsEveryFieldInKeyOrder) {
  KontoRecord full = Account("0071", "37040044", "EUR");
  full.fk_key_down = 5;
  full.fk_key_up = -7;
  full.online = 2;
  full.bezeichnung = "Girokonto Müller";
  full.bank_name = "Ünion & Söhne <Bank>";
  full.contact_name = "Hausbank";
  full.contact_type = "HBCI";
  full.name = "Jürgen Straße";
  full.name_ex = "Zusatz\nzweite Zeile";
  full.city = "Köln";
  full.street = "Domplatz 1";
  full.city_code = 50667;
  full.country_code = 280;
  full.download_year = 2024;
  full.download_month = 2;
  full.download_day = 29;
  const int32_t key = table_.Add(full);
  table_.Add(Account("0072", "37040044"));

  const std::vector<KontoRecord> all = All();
  ASSERT_EQ(all.size(), 2u);
  const KontoRecord& read = all[0];
  EXPECT_EQ(read.id, key);
  EXPECT_EQ(read.fk_key_down, 5);
  EXPECT_EQ(read.fk_key_up, -7);
  EXPECT_EQ(read.nummer, "0071");
  EXPECT_EQ(read.blz, "37040044");
  EXPECT_EQ(read.currency, "EUR");
  EXPECT_EQ(read.online, 2);
  EXPECT_EQ(read.bezeichnung, full.bezeichnung);
  EXPECT_EQ(read.bank_name, full.bank_name);
  EXPECT_EQ(read.contact_name, "Hausbank");
  EXPECT_EQ(read.contact_type, "HBCI");
  EXPECT_EQ(read.name, full.name);
  EXPECT_EQ(read.name_ex, full.name_ex);
  EXPECT_EQ(read.city, full.city);
  EXPECT_EQ(read.street, full.street);
  EXPECT_EQ(read.city_code, 50667);
  EXPECT_EQ(read.country_code, 280);
  EXPECT_EQ(read.download_year, 2024);
  EXPECT_EQ(read.download_month, 2);
  EXPECT_EQ(read.download_day, 29);
  EXPECT_EQ(all[1].nummer, "0072");
  EXPECT_GT(all[1].id, key);
  EXPECT_EQ(all[1].download_year, 1899);
}

TEST_F(AccountTableTest, RefusesDuplicatesAndOverlongTextsKeepingStoredRows) {
  const int32_t key = table_.Add(Account("1", "2"));
  EXPECT_THROW(table_.Add(Account("1", "2")), OdbcError);

  KontoRecord longest = Account("3", "4");
  longest.name = std::string(254, 'x') + "ä";  // 255 characters, 256 bytes
  EXPECT_NO_THROW(table_.Add(longest));
  KontoRecord overlong = Account("5", "6");
  overlong.street = std::string(256, 'y');
  EXPECT_THROW(table_.Add(overlong), std::invalid_argument);

  EXPECT_EQ(table_.Find("1", "2", "EUR"), key);
  EXPECT_EQ(table_.Find("5", "6", "EUR"), std::nullopt);
  ASSERT_EQ(All().size(), 2u);
  EXPECT_EQ(All()[1].name, longest.name);
}

TEST_F(AccountTableTest, ReportsConnectFailuresAndUseWithoutConnection) {
  table_.Close();
  EXPECT_THROW(table_.Find("1", "2", "EUR"), OdbcError);
  EXPECT_THROW(table_.Add(Account("1", "2")), OdbcError);
  EXPECT_THROW(table_.ForEach([](const KontoRecord&) {}), OdbcError);

  try {
    table_.Open("DSN=NoSuchDataSource");
    FAIL() << "an unknown data source must not connect";
  } catch (const OdbcError& error) {
    EXPECT_EQ(error.sqlstate(), "IM002");
    EXPECT_NE(std::string(error.what()).find("not found"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(table_.IsOpen());

  // The data source of the test's own odbc.ini connects by name.
  table_.Open(std::string("DSN=") + OdbcTestDirectory::kDsn);
  EXPECT_TRUE(table_.IsOpen());
  EXPECT_TRUE(std::filesystem::exists(directory_.path() / "named.db"));
}

}  // namespace
}  // namespace ebank::txndb
