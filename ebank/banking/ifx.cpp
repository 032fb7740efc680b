#include "ebank/banking/ifx.h"

namespace ovIFX {

wchar_t const* const IFX_STATUS = L"<Status><StatusCode/><Severity/><StatusDesc/></Status>";
char const* const IFX_AUTHENTICATE =
    "<AuthenticateRq><SecurityMediaType/><SecurityProgID/><SecurityMediaID/><HBCIVersion/"
    "><HbciContactRec><CountryCode>280</CountryCode><BankCode/><BankName/><UserID/><CustomerID/"
    "><CardID/><CommService/><CommAddress/><CommAddressSuffix/></HbciContactRec><Passphrase/"
    "><MinPassphraseLen/><MaxPassphraseLen/><Silent/></AuthenticateRq>";
char const* const IFX_AUTHENTICATE_BY_ACCOUNT =
    "<AuthenticateRq><HbciAcctId><BankId/><AcctId/><CurCode/><Passphrase/></HbciAcctId></"
    "AuthenticateRq>";
char const* const IFX_GET_ONLINE_SO =
    "<RecXferInqRq><HbciAcctId><AcctId/><CountryCode>280</CountryCode><BankId/></HbciAcctId></"
    "RecXferInqRq>";
char const* const IFX_SEND_MULTIPLE_TRANS =
    "<SendDTAUSRq><CustId/><Tan/><HbciAcctId><AcctId/><CountryCode>280</CountryCode><BankId/></"
    "HbciAcctId><File/></SendDTAUSRq>";
char const* const IFX_ACCOUNT_STATEMENT_INQUIRY =
    "<AcctStmtInqRq><CustId/><Tan/><HbciAcctId><AcctId/><CountryCode>280</CountryCode><BankId/></"
    "HbciAcctId><SelRangeDt><StartDt/><EndDt/></SelRangeDt></AcctStmtInqRq>";
char const* const IFX_EURO_TRANSACTION_INQUIRY =
    "<StdEuroXferNowRq><RqUID/><CustId/><Tan/><HbciAcctId><AcctId/><CountryCode>280</"
    "CountryCode><BankId/></HbciAcctId><CurCode/><AzvOrderingAcctId/><AzvOrderingCustomer/"
    "><AzvOrderingCustomer/><AzvOrderingCustomer/><AzvOrderingCustomer/><AzvAcctId/><AzvBankId/"
    "><AzvBeneficiary/><AzvRemittanceInfo/><AzvRemittanceInfo/><AzvRemittanceInfo/"
    "><AzvRemittanceInfo/><CurAmt><Amt/><CurCode/></CurAmt></StdEuroXferNowRq>";

wchar_t const* const IFX_STATUS_CODE = L"Status/StatusCode";
wchar_t const* const IFX_SEVERITY = L"Status/Severity";
wchar_t const* const IFX_STATUS_DESC = L"Status/StatusDesc";
wchar_t const* const IFX_SENDER_ACCOUNT_KTONR = L"HbciAcctId/AcctId";
wchar_t const* const IFX_SENDER_ACCOUNT_BLZ = L"HbciAcctId/BankId";
wchar_t const* const IFX_SENDER_ACCOUNT_COUNTRYCODE = L"HbciAcctId/CountryCode";
wchar_t const* const IFX_SENDER_ACCOUNT_CURCODE = L"HbciAcctId/CurCode";
wchar_t const* const IFX_SENDER_ACCOUNT_PASSPHRASE = L"HbciAcctId/Passphrase";
wchar_t const* const IFX_RECIEVER_ACCOUNT_KTONR = L"XferRecipient/HbciAcctId/AcctId";
wchar_t const* const IFX_RECIEVER_ACCOUNT_BLZ = L"XferRecipient/HbciAcctId/BankId";
wchar_t const* const IFX_RECIEVER_ACCOUNT_COUNTRYCODE = L"XferRecipient/HbciAcctId/CountryCode";
wchar_t const* const IFX_AMOUNT_VALUE = L"CurAmt/Amt";
wchar_t const* const IFX_AMOUNT_CURRENCY = L"CurAmt/CurCode";
wchar_t const* const IFX_TEXT_KEY = L"TextKey";
wchar_t const* const IFX_PURPOSE = L"Purpose";
wchar_t const* const IFX_TURNUS = L"Freq";
wchar_t const* const IFX_SO_ID = L"RecXferId";
wchar_t const* const IFX_DAY_OF_EXECUTION = L"RecDay";
wchar_t const* const IFX_FIRST_EXECUTION_DATE = L"FirstRecDt";
wchar_t const* const IFX_SEC_MEDIA_TYPE = L"SecurityMediaType";
wchar_t const* const IFX_SEC_MEDIA_ID = L"SecurityMediaID";
wchar_t const* const IFX_SEC_PROG_ID = L"SecurityProgID";
wchar_t const* const IFX_HBCI_VER = L"HBCIVersion";
wchar_t const* const IFX_BANK_CODE = L"HbciContactRec/BankCode";
wchar_t const* const IFX_BANK_NAME = L"HbciContactRec/BankName";
wchar_t const* const IFX_USER_ID = L"HbciContactRec/UserID";
wchar_t const* const IFX_CUST_ID = L"HbciContactRec/CustomerID";
wchar_t const* const IFX_CARD_ID = L"HbciContactRec/CardID";
wchar_t const* const IFX_COM_SERVICE = L"HbciContactRec/CommService";
wchar_t const* const IFX_COM_ADR = L"HbciContactRec/CommAddress";
wchar_t const* const IFX_COM_ADR_SUF = L"HbciContactRec/CommAddressSuffix";
wchar_t const* const IFX_PASSPHRASE = L"Passphrase";
wchar_t const* const IFX_SILENT = L"Silent";

}  // namespace ovIFX
