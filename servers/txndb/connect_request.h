// The connect request of the transaction database server and the ODBC
// connection string made from it.
//
// The request is "<CONNECT><ODBC><DSN>..</DSN><UID>..</UID><PWD>..</PWD></ODBC>
// </CONNECT>" as the database wrapper formats it: the values are inserted
// literally, unescaped, so they are read literally between their tags.
#ifndef EBANK_SERVERS_TXNDB_CONNECT_REQUEST_H_
#define EBANK_SERVERS_TXNDB_CONNECT_REQUEST_H_

#include <optional>
#include <string>
#include <string_view>

namespace ebank::txndb {

struct ConnectRequest {
  std::string dsn;  // a data source name, or a whole connection string
  std::string uid;
  std::string pwd;
};

// The three values of `request`; a missing or empty-element field is empty.
// std::nullopt when there is no CONNECT element with an ODBC element inside.
std::optional<ConnectRequest> ParseConnectRequest(std::string_view request);

// "DSN=<dsn>;UID=<uid>;PWD=<pwd>", or, when `dsn` holds a "=" and so is a
// DSN-less connection string, that string with UID and PWD appended. Empty
// values are left out; values with separators are put in braces.
std::string ConnectionString(const ConnectRequest& request);

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_CONNECT_REQUEST_H_
