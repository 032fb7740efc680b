// TxnDbServer: the COM object of the reference transaction database server.
// It keeps accounts in a database reached through ODBC and answers the
// methods of IOrvTxnDB2 the database wrapper calls (Connect, Disconnect,
// GetAccounts, FindAccount) plus AddAccount; every other method answers
// E_NOTIMPL.
#ifndef EBANK_SERVERS_TXNDB_TXN_DB_SERVER_H_
#define EBANK_SERVERS_TXNDB_TXN_DB_SERVER_H_

#include <mutex>
#include <string>

#include "ebank/banking/internal/orv_txn_db2_unused_slots.h"
#include "ebank/banking/orv_txn_db_accounts.h"
#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/without_late_binding.h"
#include "ebank/platform/types.h"
#include "servers/txndb/account_table.h"

namespace ebank::txndb {

class TxnDbServer final
    : public platform::ComObject<platform::Implements<
          banking::UnusedOrvTxnDB2Slots<platform::WithoutLateBinding<IOrvTxnDBAccounts>>,
          &IID_IOrvTxnDBAccounts, &IID_IOrvTxnDB2, &IID_IDispatch>> {
 public:
  TxnDbServer() = default;

  // Connects to the data source of a CONNECT request (replacing an existing
  // connection) and creates the account table when it is missing.
  STDMETHODIMP Connect(BSTR request) override;
  // S_OK when a connection was closed, S_FALSE when there was none.
  STDMETHODIMP Disconnect() override;
  // Selector -1: a KONTEN document of every account, in key order.
  STDMETHODIMP GetAccounts(LONG selector, BSTR* accounts) override;
  // Writes the key of the account with the KONTO's number, bank code and
  // currency to *key: S_OK; S_FALSE and *key untouched when there is none.
  STDMETHODIMP FindAccount(BSTR konto, LONG* key) override;
  STDMETHODIMP AddAccount(BSTR konto, LONG* key) override;

 private:
  ~TxnDbServer() override = default;

  // COM may hand the object to several threads; the ODBC handles are not
  // shared between concurrent calls.
  std::mutex mutex_;
  AccountTable table_;
  // The KONTEN text of the last list, kept so the next one reuses its storage.
  std::wstring konten_;
};

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_TXN_DB_SERVER_H_
