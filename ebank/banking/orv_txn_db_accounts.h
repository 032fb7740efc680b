// IOrvTxnDBAccounts: the reference transaction database server's interface,
// IOrvTxnDB2 with one more method that stores an account, and the class id
// under which the server is registered for the ProgID "Brantel.OrvTxnDB".
//
// Callers holding an IOrvTxnDB2 of this server reach AddAccount through
// QueryInterface(IID_IOrvTxnDBAccounts).
#ifndef EBANK_BANKING_ORV_TXN_DB_ACCOUNTS_H_
#define EBANK_BANKING_ORV_TXN_DB_ACCOUNTS_H_

#include "ebank/banking/orv_txn_db2.h"
#include "ebank/platform/types.h"

struct IOrvTxnDBAccounts : IOrvTxnDB2 {
  // Stores the account of a KONTO document under a new database key, written
  // to *key. The ID element is not used. An account with the same number,
  // bank code and currency as a stored one is refused.
  STDMETHOD(AddAccount)(BSTR konto, LONG* key) = 0;  // slot 43
};

// {1DD07B1F-D6AD-4B2B-9BF1-38BF3B0CE079}
inline constexpr IID IID_IOrvTxnDBAccounts = {
    0x1DD07B1F, 0xD6AD, 0x4B2B, {0x9B, 0xF1, 0x38, 0xBF, 0x3B, 0x0C, 0xE0, 0x79}};

// {8F7DFDF8-8769-420C-A394-64AFB3485717}
inline constexpr CLSID CLSID_OrvTxnDB = {
    0x8F7DFDF8, 0x8769, 0x420C, {0xA3, 0x94, 0x64, 0xAF, 0xB3, 0x48, 0x57, 0x17}};

#endif  // EBANK_BANKING_ORV_TXN_DB_ACCOUNTS_H_
