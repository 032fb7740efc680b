// Prints the accounts that the transaction database server lists.
#ifndef EBANK_TOOLS_EBANK_ACCOUNT_LIST_H_
#define EBANK_TOOLS_EBANK_ACCOUNT_LIST_H_

#include "ebank/platform/types.h"

class COrvTxnDBWrapper;

namespace ebank::tool {

// GetAccountList of `database`, each KONTO read back into an account record
// and printed as one line, indented. Returns the wrapper's HRESULT; exceptions
// pass on.
HRESULT PrintAccountList(COrvTxnDBWrapper& database, int indent);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_ACCOUNT_LIST_H_
