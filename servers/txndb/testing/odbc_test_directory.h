// For tests: a temporary directory that holds the databases of a test and an
// ODBC configuration of its own (ODBCSYSINI, ODBCINI), so that no test reads
// or writes the system's data sources.
#ifndef EBANK_SERVERS_TXNDB_TESTING_ODBC_TEST_DIRECTORY_H_
#define EBANK_SERVERS_TXNDB_TESTING_ODBC_TEST_DIRECTORY_H_

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace ebank::txndb {

class OdbcTestDirectory {
 public:
  // The data source this directory's odbc.ini defines, an SQLite file in it.
  static constexpr char kDsn[] = "EbankTestAccounts";

  explicit OdbcTestDirectory(std::string sqlite_driver) : driver_(std::move(sqlite_driver)) {
    std::string pattern = (std::filesystem::temp_directory_path() / "ebank-txndb-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::ofstream(path_ / "odbcinst.ini") << "[ODBC]\nTrace=No\n";
    std::ofstream(path_ / "odbc.ini") << "[" << kDsn << "]\nDriver=" << driver_
                                      << "\nDatabase=" << (path_ / "named.db").string() << "\n";
    sysini_.emplace("ODBCSYSINI", path_.c_str());
    ini_.emplace("ODBCINI", (path_ / "odbc.ini").c_str());
  }
  ~OdbcTestDirectory() {
    ini_.reset();
    sysini_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  OdbcTestDirectory(const OdbcTestDirectory&) = delete;
  OdbcTestDirectory& operator=(const OdbcTestDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  bool HasDriver() const { return !driver_.empty() && std::filesystem::exists(driver_); }
  // A DSN-less connection string for the SQLite file `name` in the directory.
  std::string SqliteConnectionString(const std::string& name) const {
    return "Driver=" + driver_ + ";Database=" + (path_ / name).string();
  }

 private:
  std::string driver_;
  std::optional<platform::ScopedEnvironmentVariable> sysini_;
  std::optional<platform::ScopedEnvironmentVariable> ini_;
  std::filesystem::path path_;
};

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_TESTING_ODBC_TEST_DIRECTORY_H_
