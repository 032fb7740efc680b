// Writes an account as KONTO XML text directly, character for character the
// text the record's DOM writer serialises (before CXmlClass::getXml's
// code-page pass), without building a document: the hot path of every
// wrapper lookup.
#ifndef EBANK_BANKING_KONTO_TEXT_H_
#define EBANK_BANKING_KONTO_TEXT_H_

#include <optional>
#include <string>

#include "ebank/banking/cdb_account.h"

namespace ebank::banking {

// The KONTO text of `account`, or nothing when a text field holds a character
// whose serialisation only the DOM decides (control characters, carriage
// returns, surrogates, characters beyond the basic plane): the caller then
// writes through the DOM.
std::optional<std::wstring> KontoText(const CDBAccount& account);

}  // namespace ebank::banking

#endif  // EBANK_BANKING_KONTO_TEXT_H_
