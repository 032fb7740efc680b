// The account table of the transaction database server: one row per account,
// a column per KONTO field, reached through ODBC with bound parameters only.
//
// The table is named Konto; KtoID is its generated key and (szKtoNummer,
// szBlz, szCurrency) is unique. Open creates both when they are missing.
#ifndef EBANK_SERVERS_TXNDB_ACCOUNT_TABLE_H_
#define EBANK_SERVERS_TXNDB_ACCOUNT_TABLE_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "servers/txndb/konto_record.h"
#include "servers/txndb/odbc_connection.h"

namespace ebank::txndb {

class AccountTable {
 public:
  // Longest text a column holds, in characters.
  static constexpr size_t kMaxTextLength = 255;

  // Connects with `connection_string` and creates the table when missing.
  // Throws OdbcError; the table is closed after a failure.
  void Open(const std::string& connection_string);
  void Close();
  bool IsOpen() const { return connection_.IsOpen(); }

  // The key of the account with exactly these values, or std::nullopt.
  std::optional<int32_t> Find(const std::string& nummer, const std::string& blz,
                              const std::string& currency);
  // Stores `record` under a new key (its id is not used) and returns the key.
  // Throws std::invalid_argument for a text longer than kMaxTextLength and
  // OdbcError when the database refuses the row (a second account with the
  // same number, bank code and currency among others).
  int32_t Add(const KontoRecord& record);
  // Calls `visit` with every account in key order.
  void ForEach(const std::function<void(const KontoRecord&)>& visit);

 private:
  void CreateTableIfMissing();

  // Declared before the statements, so that they are freed first.
  OdbcConnection connection_;
  std::unique_ptr<OdbcStatement> find_;
  std::unique_ptr<OdbcStatement> add_;
  std::unique_ptr<OdbcStatement> list_;
};

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_ACCOUNT_TABLE_H_
