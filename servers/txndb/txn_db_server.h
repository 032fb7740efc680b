// TxnDbServer: the COM object of the reference transaction database server.
// It keeps accounts in a database reached through ODBC and answers the
// methods of IOrvTxnDB2 the database wrapper calls (Connect, Disconnect,
// GetAccounts, FindAccount) plus AddAccount; every other method answers
// E_NOTIMPL.
#ifndef EBANK_SERVERS_TXNDB_TXN_DB_SERVER_H_
#define EBANK_SERVERS_TXNDB_TXN_DB_SERVER_H_

#include <atomic>
#include <mutex>

#include "ebank/platform/types.h"
#include "servers/txndb/account_table.h"
#include "servers/txndb/orv_txn_db_accounts.h"

namespace ebank::txndb {

class TxnDbServer final : public IOrvTxnDBAccounts {
 public:
  // Creates a server and hands out its interface `iid` (E_NOINTERFACE, and
  // no object, for one it does not have).
  static HRESULT Create(REFIID iid, void** object);

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* arg_error) override;

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

#define EBANK_TXNDB_NOT_IMPLEMENTED(slot)  \
  STDMETHODIMP Reserved##slot() override { \
    return E_NOTIMPL;                      \
  }
  EBANK_TXNDB_NOT_IMPLEMENTED(9)
  EBANK_TXNDB_NOT_IMPLEMENTED(10)
  EBANK_TXNDB_NOT_IMPLEMENTED(11)
  EBANK_TXNDB_NOT_IMPLEMENTED(12)
  EBANK_TXNDB_NOT_IMPLEMENTED(13)
  EBANK_TXNDB_NOT_IMPLEMENTED(14)
  EBANK_TXNDB_NOT_IMPLEMENTED(15)
  EBANK_TXNDB_NOT_IMPLEMENTED(16)
  EBANK_TXNDB_NOT_IMPLEMENTED(17)
  EBANK_TXNDB_NOT_IMPLEMENTED(18)
  EBANK_TXNDB_NOT_IMPLEMENTED(19)
  EBANK_TXNDB_NOT_IMPLEMENTED(20)
  EBANK_TXNDB_NOT_IMPLEMENTED(21)
  EBANK_TXNDB_NOT_IMPLEMENTED(22)
  EBANK_TXNDB_NOT_IMPLEMENTED(23)
  EBANK_TXNDB_NOT_IMPLEMENTED(24)
  EBANK_TXNDB_NOT_IMPLEMENTED(25)
  EBANK_TXNDB_NOT_IMPLEMENTED(26)
  EBANK_TXNDB_NOT_IMPLEMENTED(27)
  EBANK_TXNDB_NOT_IMPLEMENTED(28)
  EBANK_TXNDB_NOT_IMPLEMENTED(29)
  EBANK_TXNDB_NOT_IMPLEMENTED(30)
  EBANK_TXNDB_NOT_IMPLEMENTED(31)
  EBANK_TXNDB_NOT_IMPLEMENTED(32)
  EBANK_TXNDB_NOT_IMPLEMENTED(33)
  EBANK_TXNDB_NOT_IMPLEMENTED(34)
  EBANK_TXNDB_NOT_IMPLEMENTED(35)
  EBANK_TXNDB_NOT_IMPLEMENTED(36)
  EBANK_TXNDB_NOT_IMPLEMENTED(38)
  EBANK_TXNDB_NOT_IMPLEMENTED(39)
  EBANK_TXNDB_NOT_IMPLEMENTED(40)
  EBANK_TXNDB_NOT_IMPLEMENTED(41)
#undef EBANK_TXNDB_NOT_IMPLEMENTED

 private:
  TxnDbServer() = default;
  ~TxnDbServer() = default;

  std::atomic<ULONG> references_{1};
  // COM may hand the object to several threads; the ODBC handles are not
  // shared between concurrent calls.
  std::mutex mutex_;
  AccountTable table_;
};

}  // namespace ebank::txndb

#endif  // EBANK_SERVERS_TXNDB_TXN_DB_SERVER_H_
