#include "tools/ebank/account_list.h"

#include "ebank/banking/cdb_account.h"
#include "ebank/banking/orv_txn_db_wrapper.h"
#include "tools/ebank/account_fields.h"
#include "tools/ebank/output.h"

namespace ebank::tool {

HRESULT PrintAccountList(COrvTxnDBWrapper& database, int indent) {
  IXMLDOMNodeListPtr list;
  const HRESULT result = database.GetAccountList(list);
  if (result != S_OK) return result;
  const LONG count = list->Getlength();
  PrintField("accounts", std::to_string(count), indent);
  for (LONG i = 0; i < count; ++i) {
    const CDBAccount account(list->Getitem(i));
    PrintLine(AccountSummary(account), indent + 2);
  }
  return result;
}

}  // namespace ebank::tool
