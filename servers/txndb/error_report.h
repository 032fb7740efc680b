// Turns a failure inside a method of the transaction database server into
// the HRESULT it returns and the thread's COM error object its caller reads.
#ifndef EBANK_SERVERS_TXNDB_ERROR_REPORT_H_
#define EBANK_SERVERS_TXNDB_ERROR_REPORT_H_

#include <string_view>

#include "ebank/platform/types.h"

namespace ebank::txndb {

// Installs an error object with `description` (UTF-8), the server's ProgID as
// source and IID_IOrvTxnDB2 as interface, and returns `hr`.
HRESULT ReportError(HRESULT hr, std::string_view description);

// Maps the exception being handled to an HRESULT and reports it with the
// text "<operation>: <what>"; every occurrence of a non-empty `secret` in that
// text is masked, so that a password never reaches an error object.
HRESULT ReportCurrentException(std::string_view operation, std::string_view secret = {});

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_ERROR_REPORT_H_
