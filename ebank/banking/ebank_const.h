// Limits, codes, property names, defaults and component identifiers shared by
// every component of the online-banking module, exported as data.
//
// Each item is one exported variable so all components link to the same value.
#ifndef EBANK_BANKING_EBANK_CONST_H_
#define EBANK_BANKING_EBANK_CONST_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ovEBankConst {

// Limits and character sets of payment order entries.
EBANK_EXPORT extern int iMaxCharDefaultContactName;
EBANK_EXPORT extern int OLB_MAX_PURPOSE_CHARS;
EBANK_EXPORT extern char const* const OLB_INVALID_PURPOSE_CHARS;
EBANK_EXPORT extern double dMaxAmount;
EBANK_EXPORT extern char const* const OLB_ACCEPTABLE_AMOUNT_CHARS;
EBANK_EXPORT extern char const* const OLB_ACCEPTABLE_DATE_CHARS;
EBANK_EXPORT extern char const* const OLB_NO_CONTACT;

// Currency codes; "EUR" is the default wherever a record has none.
EBANK_EXPORT extern char const* const CUR_EUR;
EBANK_EXPORT extern char const* const CUR_DEM;

// Standing orders: STATE values, period units and defaults.
EBANK_EXPORT extern char const* const SO_STATE_NEW;
EBANK_EXPORT extern char const* const SO_STATE_EDIT;
EBANK_EXPORT extern char const* const SO_STATE_DELETE;
EBANK_EXPORT extern char const* const SO_STATE_ACTIVE;
EBANK_EXPORT extern char const* const SO_PERIOD_W;
EBANK_EXPORT extern char const* const SO_PERIOD_M;
EBANK_EXPORT extern LONG SO_DEFAULT_TXN_KEY;
EBANK_EXPORT extern LONG SO_DEFAULT_DESTINATION;
EBANK_EXPORT extern LONG SO_DEFAULT_STATEOFEXECUTION;
EBANK_EXPORT extern LONG SO_DEFAULT_DBSTATE;

// HBCI period and ultimo codes, bank parameter flag values.
EBANK_EXPORT extern char const* const HID_PERIOD_ALL;
EBANK_EXPORT extern char const* const HID_PERIOD_MONTHLY;
EBANK_EXPORT extern char const* const HID_PERIOD_2MONTHLY;
EBANK_EXPORT extern char const* const HID_PERIOD_3MONTHLY;
EBANK_EXPORT extern char const* const HID_PERIOD_6MONTHLY;
EBANK_EXPORT extern char const* const HID_PERIOD_12MONTHLY;
EBANK_EXPORT extern char const* const HID_PERIOD_ALL_PPD;
EBANK_EXPORT extern char const* const HID_DAY_ULTIMO;
EBANK_EXPORT extern char const* const HID_DAY_ULTIMO_1;
EBANK_EXPORT extern char const* const HID_DAY_ULTIMO_2;
EBANK_EXPORT extern char const* const BPD_YES;
EBANK_EXPORT extern char const* const BPD_NO;

// Property and item names.
EBANK_EXPORT extern wchar_t* PROP_PARENT_WND;
EBANK_EXPORT extern wchar_t* PROP_GO_OFFLINE;
EBANK_EXPORT extern wchar_t* PROP_KEEP_ONLINE;
EBANK_EXPORT extern wchar_t* DOC_NR;
EBANK_EXPORT extern wchar_t* SHOW_DLG;

// Transaction database defaults (the password is always supplied by the caller).
EBANK_EXPORT extern wchar_t* DB_NAME;
EBANK_EXPORT extern wchar_t* DB_ACCOUNT;

// Programmatic identifiers of sibling components and print forms.
EBANK_EXPORT extern wchar_t* PROGID_ORVTXNPROCESSING;
EBANK_EXPORT extern wchar_t* PROGID_ORVBTX;
EBANK_EXPORT extern wchar_t* PRN_FORM_RESULT;
EBANK_EXPORT extern wchar_t* PRN_FORM_STMT;

}  // namespace ovEBankConst

#endif  // EBANK_BANKING_EBANK_CONST_H_
