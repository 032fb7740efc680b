// Writes an account as KONTO XML text directly, character for character the
// text the record's DOM writer serialises (before CXmlClass::getXml's
// code-page pass), without building a document: the hot path of every
// wrapper lookup.
#ifndef EBANK_BANKING_INTERNAL_KONTO_TEXT_H_
#define EBANK_BANKING_INTERNAL_KONTO_TEXT_H_

#include <string>

#include "ebank/banking/cdb_account.h"

namespace ebank::banking {

// The KONTO text of `account`. A character XML cannot carry is written as
// '?', as the DOM writer stores it.
std::wstring KontoText(const CDBAccount& account);

}  // namespace ebank::banking

#endif  // EBANK_BANKING_INTERNAL_KONTO_TEXT_H_
