// The databases the server tests run on: an SQLite file in a temporary
// directory of the test, or a schema of the test's own on the shared
// PostgreSQL server that EBANK_TEST_PG names (scripts/start-postgres.sh prints
// it), so that tests running side by side never see each other's accounts.
#ifndef EBANK_TESTS_TXNDB_TEST_DATABASES_H_
#define EBANK_TESTS_TXNDB_TEST_DATABASES_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "servers/txndb/odbc_connection.h"
#include "servers/txndb/testing/odbc_test_directory.h"

namespace ebank::txndb {

// A database for one test: where it is and with which credentials.
class TestDatabase {
 public:
  virtual ~TestDatabase() = default;
  // Why the database cannot be used on this machine; empty when it can.
  virtual std::string Unavailable() const = 0;
  virtual std::string ConnectionString() const = 0;
  virtual std::string User() const { return {}; }
  virtual std::string Password() const { return {}; }
};

class SqliteTestDatabase final : public TestDatabase {
 public:
  std::string Unavailable() const override {
    return directory_.HasDriver() ? "" : "the SQLite ODBC driver is not installed";
  }
  // One transaction per account is what the server does; without waiting for
  // the disk each time, the tests stay quick.
  std::string ConnectionString() const override {
    return directory_.SqliteConnectionString("konten.db") + ";SyncPragma=OFF";
  }
  const OdbcTestDirectory& directory() const { return directory_; }

 private:
  OdbcTestDirectory directory_{EBANK_SQLITE_ODBC_DRIVER};
};

// EBANK_TEST_PG holds a DSN-less connection string without credentials,
// EBANK_TEST_PG_UID and EBANK_TEST_PG_PWD the role's.
class PostgresTestSchema final : public TestDatabase {
 public:
  PostgresTestSchema()
      : server_(Environment("EBANK_TEST_PG")),
        user_(Environment("EBANK_TEST_PG_UID")),
        password_(Environment("EBANK_TEST_PG_PWD")) {
    if (server_.empty()) return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    schema_ = "t" + std::to_string(getpid()) + "_" + SqlName(test->name());
    admin_.Open(server_ + ";UID=" + user_ + ";PWD=" + password_);
    admin_.Execute("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
    admin_.Execute("CREATE SCHEMA " + schema_);
  }
  ~PostgresTestSchema() override {
    if (admin_.IsOpen()) admin_.Execute("DROP SCHEMA IF EXISTS " + schema_ + " CASCADE");
  }

  std::string Unavailable() const override {
    return server_.empty() ? "EBANK_TEST_PG is not set: start a server with "
                             "eval \"$(scripts/start-postgres.sh)\""
                           : "";
  }
  // The application name lets a test find its server's session.
  std::string ConnectionString() const override {
    return server_ + ";ConnSettings={SET search_path TO " + schema_ +
           "; SET application_name TO '" + schema_ + "'}";
  }
  std::string User() const override { return user_; }
  std::string Password() const override { return password_; }

  const std::string& server() const { return server_; }
  const std::string& schema() const { return schema_; }
  OdbcConnection& admin() { return admin_; }

 private:
  static std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
  }
  // A test name as an unquoted SQL name: a parameterised test's '/' becomes '_'.
  static std::string SqlName(std::string name) {
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    return name;
  }

  std::string server_, user_, password_, schema_;
  OdbcConnection admin_;
};

}  // namespace ebank::txndb

#endif  // EBANK_TESTS_TXNDB_TEST_DATABASES_H_
