// A small C++ face on the ODBC calls of the transaction database server.
//
// The ODBC headers define Windows-named types (DWORD, BOOL, ...) of their own,
// so they stay inside odbc_connection.cpp; this header needs only the standard
// library. Every failing ODBC call throws OdbcError with the driver's messages.
#ifndef EBANK_SERVERS_TXNDB_ODBC_CONNECTION_H_
#define EBANK_SERVERS_TXNDB_ODBC_CONNECTION_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace ebank::txndb {

// The diagnostic records of a failed call, each as "[SQLSTATE] message".
class OdbcError : public std::runtime_error {
 public:
  OdbcError(const std::string& message, std::string sqlstate)
      : std::runtime_error(message), sqlstate_(std::move(sqlstate)) {}
  // The SQLSTATE of the first record; class "08" means the connection is gone.
  const std::string& sqlstate() const { return sqlstate_; }

 private:
  std::string sqlstate_;
};

// A statement parameter: a 32-bit integer or a UTF-8 text.
using OdbcValue = std::variant<int32_t, std::string>;

class OdbcStatement {
 public:
  ~OdbcStatement();
  OdbcStatement(const OdbcStatement&) = delete;
  OdbcStatement& operator=(const OdbcStatement&) = delete;

  // Binds `params` to the markers in order and executes; an open result of
  // the previous execution is closed first.
  void Execute(const std::vector<OdbcValue>& params);
  // Moves to the next row of the result; false after the last one.
  bool Fetch();
  // Column `column` (from 1) of the current row; NULL gives std::nullopt.
  std::optional<std::string> Text(int column);
  // The same into `value`, whose storage is reused; false for NULL.
  bool Text(int column, std::string& value);
  std::optional<int32_t> Integer(int column);

 private:
  friend class OdbcConnection;
  explicit OdbcStatement(void* handle) : handle_(handle) {}
  void CloseCursor();

  void* handle_;
  bool cursor_open_ = false;
};

class OdbcConnection {
 public:
  OdbcConnection();
  ~OdbcConnection();
  OdbcConnection(const OdbcConnection&) = delete;
  OdbcConnection& operator=(const OdbcConnection&) = delete;

  // Connects with a full ODBC connection string (SQLDriverConnect, no prompt).
  void Open(const std::string& connection_string);
  void Close();
  bool IsOpen() const { return connection_ != nullptr; }
  // The product name the driver reports for its database (SQL_DBMS_NAME).
  std::string DbmsName();
  // Runs a statement without parameters or results.
  void Execute(const std::string& sql);
  std::unique_ptr<OdbcStatement> Prepare(const std::string& sql);

 private:
  void* environment_ = nullptr;
  void* connection_ = nullptr;
};

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_ODBC_CONNECTION_H_
