// COrvTxnDBWrapper: the components' handle on the module's transaction database
// server. It creates and connects the server on first use, disconnects it when
// the handle goes away, and finds and lists accounts as KONTO XML.
#ifndef EBANK_BANKING_ORV_TXN_DB_WRAPPER_H_
#define EBANK_BANKING_ORV_TXN_DB_WRAPPER_H_

#include "ebank/banking/orv_txn_db2.h"
#include "ebank/core/iptr.h"
#include "ebank/platform/com/atl_bstr.h"
#include "ebank/platform/export.h"
#include "ebank/platform/msxml/msxml.h"
#include "ebank/platform/types.h"

class EBANK_EXPORT COrvTxnDBWrapper {
 public:
  COrvTxnDBWrapper();
  // Adopts an existing, connected server object (a null one gives an empty
  // wrapper); the wrapper never disconnects an object it did not connect.
  explicit COrvTxnDBWrapper(IUnknown* object);
  // Shares `other`'s server object and copies its connection data and flags.
  COrvTxnDBWrapper& operator=(const COrvTxnDBWrapper& other);
  ~COrvTxnDBWrapper();

  // Sets the connection data; a connected wrapper stays connected.
  void Init(wchar_t* dsn, wchar_t* uid, wchar_t* pwd);
  // Creates the server by ProgID once; failures raise ddCOM::ErrorInfo.
  LONG CreateDB();
  // Creates, then connects unless connected; returns the server's answer. A
  // refused connect is tried again by the next call.
  LONG ConnectDB();
  // S_FALSE without calling the server unless created and connected.
  LONG DisconnectDB();
  bool IsConnected() const { return m_bConnected; }
  // Connects (ignoring a refusal) and gives the server without a reference.
  IOrvTxnDB2* operator->();

  // The database key of the EUR account with these BSTR number and bank
  // code, or -1 when the server names none.
  LONG AccountFind(wchar_t* const number, wchar_t* const bankCode);
  // The KONTO nodes of the server's account list: S_OK with the list, S_FALSE
  // when the answer has no KONTEN root, or the server's failure; `list` is
  // changed only on S_OK.
  LONG GetAccountList(IXMLDOMNodeListPtr& list);

 private:
  COrvTxnDBWrapper(const COrvTxnDBWrapper&) = delete;

  ddCOM::IPtr<IOrvTxnDB2, &IID_IOrvTxnDB2> m_pDB;
  CComBSTR m_bstrPwd;
  CComBSTR m_bstrUid;
  CComBSTR m_bstrDsn;
  bool m_bCreated = false;
  bool m_bConnected = false;
  bool m_bAutoDisconnect = true;
};

#endif  // EBANK_BANKING_ORV_TXN_DB_WRAPPER_H_
