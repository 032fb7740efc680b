#include "servers/txndb/odbc_connection.h"

#include <sql.h>
#include <sqlext.h>

#include <mutex>
#include <utility>

namespace ebank::txndb {
namespace {

// The driver manager keeps process-wide state (its configuration cache) that
// it does not lock while it opens or closes a connection, so server objects on
// several threads do that one at a time. Recursive: a failed open closes.
std::recursive_mutex driver_manager_mutex;

bool Succeeded(SQLRETURN rc) {
  return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// Gathers the diagnostic records of `handle` into one exception.
OdbcError Diagnose(SQLSMALLINT type, SQLHANDLE handle, const char* what) {
  std::string message = what;
  std::string first_state;
  for (SQLSMALLINT record = 1; handle != SQL_NULL_HANDLE; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR text[SQL_MAX_MESSAGE_LENGTH] = {};
    SQLSMALLINT length = 0;
    if (!Succeeded(
            SQLGetDiagRec(type, handle, record, state, &native, text, sizeof text, &length))) {
      break;
    }
    const std::string sqlstate(reinterpret_cast<char*>(state));
    if (first_state.empty()) first_state = sqlstate;
    message += record == 1 ? ": " : "; ";
    message += "[" + sqlstate + "] " + reinterpret_cast<char*>(text);
  }
  return OdbcError(message, first_state);
}

void Check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle, const char* what) {
  if (!Succeeded(rc)) throw Diagnose(type, handle, what);
}

}  // namespace

OdbcStatement::~OdbcStatement() {
  SQLFreeHandle(SQL_HANDLE_STMT, handle_);
}

void OdbcStatement::CloseCursor() {
  if (cursor_open_) SQLFreeStmt(handle_, SQL_CLOSE);
  cursor_open_ = false;
}

void OdbcStatement::Execute(const std::vector<OdbcValue>& params) {
  CloseCursor();
  SQLFreeStmt(handle_, SQL_RESET_PARAMS);
  // The bound buffers must stay put until SQLExecute has read them.
  std::vector<SQLLEN> indicators(params.size());
  for (size_t i = 0; i < params.size(); ++i) {
    const auto number = static_cast<SQLUSMALLINT>(i + 1);
    SQLRETURN rc;
    if (const auto* integer = std::get_if<int32_t>(&params[i])) {
      indicators[i] = 0;
      rc = SQLBindParameter(handle_, number, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                            const_cast<int32_t*>(integer), 0, &indicators[i]);
    } else {
      const std::string& text = std::get<std::string>(params[i]);
      indicators[i] = static_cast<SQLLEN>(text.size());
      rc = SQLBindParameter(handle_, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                            text.empty() ? 1 : text.size(), 0, const_cast<char*>(text.data()),
                            static_cast<SQLLEN>(text.size()), &indicators[i]);
    }
    Check(rc, SQL_HANDLE_STMT, handle_, "binding a parameter failed");
  }
  const SQLRETURN rc = SQLExecute(handle_);
  if (rc != SQL_NO_DATA) Check(rc, SQL_HANDLE_STMT, handle_, "executing a statement failed");
  cursor_open_ = true;
}

bool OdbcStatement::Fetch() {
  const SQLRETURN rc = SQLFetch(handle_);
  if (rc == SQL_NO_DATA) return false;
  Check(rc, SQL_HANDLE_STMT, handle_, "fetching a row failed");
  return true;
}

std::optional<std::string> OdbcStatement::Text(int column) {
  std::string value;
  if (!Text(column, value)) return std::nullopt;
  return value;
}

bool OdbcStatement::Text(int column, std::string& value) {
  value.clear();
  char chunk[512];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(handle_, static_cast<SQLUSMALLINT>(column), SQL_C_CHAR, chunk,
                                    sizeof chunk, &indicator);
    if (rc == SQL_NO_DATA) break;
    Check(rc, SQL_HANDLE_STMT, handle_, "reading a column failed");
    if (indicator == SQL_NULL_DATA) return false;
    // A truncated chunk is full apart from its terminating NUL.
    const bool truncated =
        indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof chunk);
    value.append(chunk, truncated ? sizeof chunk - 1 : static_cast<size_t>(indicator));
    if (!truncated) break;
  }
  return true;
}

std::optional<int32_t> OdbcStatement::Integer(int column) {
  SQLINTEGER value = 0;
  SQLLEN indicator = 0;
  Check(SQLGetData(handle_, static_cast<SQLUSMALLINT>(column), SQL_C_SLONG, &value, 0, &indicator),
        SQL_HANDLE_STMT, handle_, "reading a column failed");
  if (indicator == SQL_NULL_DATA) return std::nullopt;
  return static_cast<int32_t>(value);
}

OdbcConnection::OdbcConnection() = default;

OdbcConnection::~OdbcConnection() {
  Close();
}

void OdbcConnection::Open(const std::string& connection_string) {
  std::lock_guard lock(driver_manager_mutex);
  Close();
  SQLHANDLE environment = SQL_NULL_HANDLE;
  if (!Succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment))) {
    throw OdbcError("the ODBC driver manager cannot allocate an environment", "HY001");
  }
  environment_ = environment;
  Check(SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION,
                      reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
        SQL_HANDLE_ENV, environment, "setting the ODBC version failed");
  SQLHANDLE connection = SQL_NULL_HANDLE;
  Check(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection), SQL_HANDLE_ENV, environment,
        "allocating a connection failed");
  const SQLRETURN rc = SQLDriverConnect(
      connection, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(connection_string.c_str())),
      SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  if (!Succeeded(rc)) {
    OdbcError error = Diagnose(SQL_HANDLE_DBC, connection, "connecting failed");
    SQLFreeHandle(SQL_HANDLE_DBC, connection);
    Close();
    throw error;
  }
  connection_ = connection;
}

void OdbcConnection::Close() {
  std::lock_guard lock(driver_manager_mutex);
  if (connection_ != nullptr) {
    SQLDisconnect(connection_);
    SQLFreeHandle(SQL_HANDLE_DBC, connection_);
    connection_ = nullptr;
  }
  if (environment_ != nullptr) {
    SQLFreeHandle(SQL_HANDLE_ENV, environment_);
    environment_ = nullptr;
  }
}

std::string OdbcConnection::DbmsName() {
  char name[128] = {};
  SQLSMALLINT length = 0;
  Check(SQLGetInfo(connection_, SQL_DBMS_NAME, name, sizeof name, &length), SQL_HANDLE_DBC,
        connection_, "asking the database name failed");
  return name;
}

void OdbcConnection::Execute(const std::string& sql) {
  Prepare(sql)->Execute({});
}

std::unique_ptr<OdbcStatement> OdbcConnection::Prepare(const std::string& sql) {
  if (connection_ == nullptr) throw OdbcError("not connected to a database", "08003");
  SQLHANDLE handle = SQL_NULL_HANDLE;
  Check(SQLAllocHandle(SQL_HANDLE_STMT, connection_, &handle), SQL_HANDLE_DBC, connection_,
        "allocating a statement failed");
  std::unique_ptr<OdbcStatement> statement(new OdbcStatement(handle));
  Check(SQLPrepare(handle, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS),
        SQL_HANDLE_STMT, handle, "preparing a statement failed");
  return statement;
}

}  // namespace ebank::txndb
