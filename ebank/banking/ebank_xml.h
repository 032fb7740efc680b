// XML templates of the module's documents, element paths into them and into
// bank parameter segments, exported as data.
//
// Each item is one exported variable so all components link to the same value.
#ifndef EBANK_BANKING_EBANK_XML_H_
#define EBANK_BANKING_EBANK_XML_H_

#include "ebank/platform/export.h"

namespace ovEBankXML {

// Document templates; amounts start as 0 with PREFIX '+', dates as empty
// DAY/MONTH/YEAR attributes.
EBANK_EXPORT extern char const* const EBANK_TXN;
EBANK_EXPORT extern char const* const EBANK_PRINT_TXNS;
EBANK_EXPORT extern char const* const EBANK_STMT;
EBANK_EXPORT extern char const* const EBANK_STATE;
EBANK_EXPORT extern char const* const EBANK_SO;
EBANK_EXPORT extern char const* const EBANK_BANK_PARAMETER;
EBANK_EXPORT extern char const* const EBANK_HBCI_ACCOUNT;

// wvsprintf format texts: %d takes a 32-bit integer, %S a wide text.
EBANK_EXPORT extern char const* const EBANK_DB_STATE;
EBANK_EXPORT extern char const* const EBANK_HLP;
EBANK_EXPORT extern char const* const EBANK_DB_CONNECT;

// Element paths into the module's documents; a leading slash makes a path
// absolute, otherwise it is relative to the record element.
EBANK_EXPORT extern wchar_t const* const SENDER_ACCOUNT_FK_ID;
EBANK_EXPORT extern wchar_t const* const SENDER_TYPE;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_BLZ;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_BANKNAME;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_CURRENCY;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_COUNTRY;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_NR;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_NAME;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_FK_ID;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_HOLDER;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_IBAN;
EBANK_EXPORT extern wchar_t const* const ACCOUNT_BIC;
EBANK_EXPORT extern wchar_t const* const ADDRESS_NAME1;
EBANK_EXPORT extern wchar_t const* const ADDRESS_NAME2;
EBANK_EXPORT extern wchar_t const* const ADDRESS_STREET;
EBANK_EXPORT extern wchar_t const* const ADDRESS_CITY;
EBANK_EXPORT extern wchar_t const* const ADDRESS_CITY_CODE;
EBANK_EXPORT extern wchar_t const* const STATE_OF_EXECUTION;
EBANK_EXPORT extern wchar_t const* const STATE_OF_EXECUTION_DESC;
EBANK_EXPORT extern wchar_t const* const TEXT;
EBANK_EXPORT extern wchar_t const* const DOC_NUMBER;
EBANK_EXPORT extern wchar_t const* const PROG;
EBANK_EXPORT extern wchar_t const* const PROG_ID;
EBANK_EXPORT extern wchar_t const* const PURPOSE;
EBANK_EXPORT extern wchar_t const* const DESTINATION;
EBANK_EXPORT extern wchar_t const* const DATE_CREATION;
EBANK_EXPORT extern wchar_t const* const DATE_EXECUTED;
EBANK_EXPORT extern wchar_t const* const DATE_OF_EXECUTING;
EBANK_EXPORT extern wchar_t const* const DAY;
EBANK_EXPORT extern wchar_t const* const MONTH;
EBANK_EXPORT extern wchar_t const* const YEAR;
EBANK_EXPORT extern wchar_t const* const PRN_NAME;
EBANK_EXPORT extern wchar_t const* const FORM;
EBANK_EXPORT extern wchar_t const* const PATH;
EBANK_EXPORT extern wchar_t const* const FORMULA;
EBANK_EXPORT extern wchar_t const* const FORMULAR_KEY;
EBANK_EXPORT extern wchar_t const* const VALUE;
EBANK_EXPORT extern wchar_t const* const CURRENCY;
EBANK_EXPORT extern wchar_t const* const OLD_BALANCE;
EBANK_EXPORT extern wchar_t const* const OLD_BALANCE_VALUE;
EBANK_EXPORT extern wchar_t const* const OLD_BALANCE_VALUE_CUR;
EBANK_EXPORT extern wchar_t const* const OLD_BALANCE_VALUE_PREFIX;
EBANK_EXPORT extern wchar_t const* const NEW_BALANCE;
EBANK_EXPORT extern wchar_t const* const NEW_BALANCE_VALUE;
EBANK_EXPORT extern wchar_t const* const NEW_BALANCE_VALUE_CUR;
EBANK_EXPORT extern wchar_t const* const NEW_BALANCE_VALUE_PREFIX;
EBANK_EXPORT extern wchar_t const* const OPENING_BALANCE_VALUE;
EBANK_EXPORT extern wchar_t const* const FORMULAR;
EBANK_EXPORT extern wchar_t const* const SENDER;
EBANK_EXPORT extern wchar_t const* const RECEIVER;
EBANK_EXPORT extern wchar_t const* const DATE_FROM;
EBANK_EXPORT extern wchar_t const* const DATE_TO;
EBANK_EXPORT extern wchar_t const* const SENDING_ID;
EBANK_EXPORT extern wchar_t const* const DBSTATE;
EBANK_EXPORT extern wchar_t const* const PREFIX;
EBANK_EXPORT extern wchar_t const* const AMOUNT_VALUE;
EBANK_EXPORT extern wchar_t const* const AMOUNT_VALUE_CUR;
EBANK_EXPORT extern wchar_t const* const PURPOSE_TEXT1;
EBANK_EXPORT extern wchar_t const* const PURPOSE_TEXT2;
EBANK_EXPORT extern wchar_t const* const PURPOSE_TEXT3;
EBANK_EXPORT extern wchar_t const* const PURPOSE_TEXT4;
EBANK_EXPORT extern wchar_t const* const TXN_ID;
EBANK_EXPORT extern wchar_t const* const TXN_KEY;
EBANK_EXPORT extern wchar_t const* const TXN_KEY_SUPPLEMENT;
EBANK_EXPORT extern wchar_t const* const EXT_TXN_KEY;
EBANK_EXPORT extern wchar_t const* const TXN;
EBANK_EXPORT extern wchar_t const* const TXN_ROOT;
EBANK_EXPORT extern wchar_t const* const TXNS;
EBANK_EXPORT extern wchar_t const* const TXNS_TXN;
EBANK_EXPORT extern wchar_t const* const TXNS_ROOT;
EBANK_EXPORT extern wchar_t const* const HBCI_ACCOUNTID;
EBANK_EXPORT extern wchar_t const* const HBCI_BANKSORTCODE;
EBANK_EXPORT extern wchar_t const* const STMT;
EBANK_EXPORT extern wchar_t const* const STMTS;
EBANK_EXPORT extern wchar_t const* const STMTS_STMT;
EBANK_EXPORT extern wchar_t const* const STMTS_ROOT;
EBANK_EXPORT extern wchar_t const* const SO;
EBANK_EXPORT extern wchar_t const* const SOS_SO;
EBANK_EXPORT extern wchar_t const* const SO_STATE;
EBANK_EXPORT extern wchar_t const* const SO_BANK_ID;
EBANK_EXPORT extern wchar_t const* const SO_PERIODE;
EBANK_EXPORT extern wchar_t const* const SO_PERIODE_DISPOSITION;
EBANK_EXPORT extern wchar_t const* const SO_PERIODE_POINTOFTIME;
EBANK_EXPORT extern wchar_t const* const SO_FIRST_EXECUTION;
EBANK_EXPORT extern wchar_t const* const SO_LAST_EXECUTION;
EBANK_EXPORT extern wchar_t const* const SO_ACCOUNT_NAME;
EBANK_EXPORT extern wchar_t const* const SO_BANKSORTCODE;
EBANK_EXPORT extern wchar_t const* const SO_ACCOUNT_NO;
EBANK_EXPORT extern wchar_t const* const SO_BANK_NAME;
EBANK_EXPORT extern wchar_t const* const IA_PROGRAMID;
EBANK_EXPORT extern wchar_t const* const IA_RECEIVER;

// Paths relative to the SEGMENT element of EBANK_BANK_PARAMETER.
EBANK_EXPORT extern wchar_t const* const BP_MAXANZAHLAUFTRAEGE;
EBANK_EXPORT extern wchar_t const* const BP_MINANZAHLSIGNATUREN;
EBANK_EXPORT extern wchar_t const* const BP_PARAMETER;
EBANK_EXPORT extern wchar_t const* const BP_MAXANZAHLTERMINIERTERAENDERUNGEN;
EBANK_EXPORT extern wchar_t const* const BP_MINVORLAUFZEIT;
EBANK_EXPORT extern wchar_t const* const BP_MAXVORLAUFZEIT;
EBANK_EXPORT extern wchar_t const* const BP_EMPFAENGERKONTOVERBINDUNGAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_EMPFAENGERNAMEAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_TEXTSCHLUESSELERGAENZUNGAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_VERWENDUNGSZWECKAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_ERSTESAUSFUEHRUNGSDATUMAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_ZEITEINHEITAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_TURNUSAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_AUSFUEHRUNGSTAGAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_LETZTESAUSFUEHRUNGSDATUMAENDERBAR;
EBANK_EXPORT extern wchar_t const* const BP_MAXANZAHLVERWENDUNGSZWECKZEILEN;
EBANK_EXPORT extern wchar_t const* const BP_TURNUSINMONATEN;
EBANK_EXPORT extern wchar_t const* const BP_AUSFUEHRUNGSTAGEPROMONAT;
EBANK_EXPORT extern wchar_t const* const BP_TURNUSINWOCHEN;
EBANK_EXPORT extern wchar_t const* const BP_AUSFUEHRUNGSTAGEPROWOCHE;
EBANK_EXPORT extern wchar_t const* const BP_TEXTSCHLUESSEL;
EBANK_EXPORT extern wchar_t const* const BP_BETRAGAENDERBAR;

}  // namespace ovEBankXML

#endif  // EBANK_BANKING_EBANK_XML_H_
