// Shows an account record: all its fields, or one summary line for lists.
#ifndef EBANK_TOOLS_EBANK_ACCOUNT_FIELDS_H_
#define EBANK_TOOLS_EBANK_ACCOUNT_FIELDS_H_

#include <string>

class CDBAccount;

namespace ebank::tool {

void PrintAccountFields(const CDBAccount& account);
// "<key>  <number> / <bank code> <currency>  <description>"
std::string AccountSummary(const CDBAccount& account);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_ACCOUNT_FIELDS_H_
