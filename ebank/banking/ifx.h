// Request templates in IFX form with HBCI extensions, and the element paths
// into IFX requests and replies, exported as data.
//
// Each item is one exported variable so all components link to the same value.
#ifndef EBANK_BANKING_IFX_H_
#define EBANK_BANKING_IFX_H_

#include "ebank/platform/export.h"

namespace ovIFX {

// Request templates (country code 280 is Germany in HBCI).
EBANK_EXPORT extern wchar_t const* const IFX_STATUS;
EBANK_EXPORT extern char const* const IFX_AUTHENTICATE;
EBANK_EXPORT extern char const* const IFX_AUTHENTICATE_BY_ACCOUNT;
EBANK_EXPORT extern char const* const IFX_GET_ONLINE_SO;
EBANK_EXPORT extern char const* const IFX_SEND_MULTIPLE_TRANS;
EBANK_EXPORT extern char const* const IFX_ACCOUNT_STATEMENT_INQUIRY;
EBANK_EXPORT extern char const* const IFX_EURO_TRANSACTION_INQUIRY;

// Element paths, relative to the request or reply element.
EBANK_EXPORT extern wchar_t const* const IFX_STATUS_CODE;
EBANK_EXPORT extern wchar_t const* const IFX_SEVERITY;
EBANK_EXPORT extern wchar_t const* const IFX_STATUS_DESC;
EBANK_EXPORT extern wchar_t const* const IFX_SENDER_ACCOUNT_KTONR;
EBANK_EXPORT extern wchar_t const* const IFX_SENDER_ACCOUNT_BLZ;
EBANK_EXPORT extern wchar_t const* const IFX_SENDER_ACCOUNT_COUNTRYCODE;
EBANK_EXPORT extern wchar_t const* const IFX_SENDER_ACCOUNT_CURCODE;
EBANK_EXPORT extern wchar_t const* const IFX_SENDER_ACCOUNT_PASSPHRASE;
EBANK_EXPORT extern wchar_t const* const IFX_RECIEVER_ACCOUNT_KTONR;
EBANK_EXPORT extern wchar_t const* const IFX_RECIEVER_ACCOUNT_BLZ;
EBANK_EXPORT extern wchar_t const* const IFX_RECIEVER_ACCOUNT_COUNTRYCODE;
EBANK_EXPORT extern wchar_t const* const IFX_AMOUNT_VALUE;
EBANK_EXPORT extern wchar_t const* const IFX_AMOUNT_CURRENCY;
EBANK_EXPORT extern wchar_t const* const IFX_TEXT_KEY;
EBANK_EXPORT extern wchar_t const* const IFX_PURPOSE;
EBANK_EXPORT extern wchar_t const* const IFX_TURNUS;
EBANK_EXPORT extern wchar_t const* const IFX_SO_ID;
EBANK_EXPORT extern wchar_t const* const IFX_DAY_OF_EXECUTION;
EBANK_EXPORT extern wchar_t const* const IFX_FIRST_EXECUTION_DATE;
EBANK_EXPORT extern wchar_t const* const IFX_SEC_MEDIA_TYPE;
EBANK_EXPORT extern wchar_t const* const IFX_SEC_MEDIA_ID;
EBANK_EXPORT extern wchar_t const* const IFX_SEC_PROG_ID;
EBANK_EXPORT extern wchar_t const* const IFX_HBCI_VER;
EBANK_EXPORT extern wchar_t const* const IFX_BANK_CODE;
EBANK_EXPORT extern wchar_t const* const IFX_BANK_NAME;
EBANK_EXPORT extern wchar_t const* const IFX_USER_ID;
EBANK_EXPORT extern wchar_t const* const IFX_CUST_ID;
EBANK_EXPORT extern wchar_t const* const IFX_CARD_ID;
EBANK_EXPORT extern wchar_t const* const IFX_COM_SERVICE;
EBANK_EXPORT extern wchar_t const* const IFX_COM_ADR;
EBANK_EXPORT extern wchar_t const* const IFX_COM_ADR_SUF;
EBANK_EXPORT extern wchar_t const* const IFX_PASSPHRASE;
EBANK_EXPORT extern wchar_t const* const IFX_SILENT;

}  // namespace ovIFX

#endif  // EBANK_BANKING_IFX_H_
