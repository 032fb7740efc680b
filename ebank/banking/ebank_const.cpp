#include "ebank/banking/ebank_const.h"

namespace ovEBankConst {

int iMaxCharDefaultContactName = 27;
int OLB_MAX_PURPOSE_CHARS = 27;
// The section sign is the single Windows-1252 byte A7, not its UTF-8 form.
char const* const OLB_INVALID_PURPOSE_CHARS =
    "!\"\xA7"
    "#'`?=()~";
double dMaxAmount = 99999.99;
char const* const OLB_ACCEPTABLE_AMOUNT_CHARS = "0123456789,";
char const* const OLB_ACCEPTABLE_DATE_CHARS = "0123456789.";
char const* const OLB_NO_CONTACT = "kein Homebankingkontakt";

char const* const CUR_EUR = "EUR";
char const* const CUR_DEM = "DEM";

char const* const SO_STATE_NEW = "new";
char const* const SO_STATE_EDIT = "edit";
char const* const SO_STATE_DELETE = "delete";
char const* const SO_STATE_ACTIVE = "active";
char const* const SO_PERIOD_W = "W";
char const* const SO_PERIOD_M = "M";
LONG SO_DEFAULT_TXN_KEY = 52;
LONG SO_DEFAULT_DESTINATION = 1;
LONG SO_DEFAULT_STATEOFEXECUTION = 0;
LONG SO_DEFAULT_DBSTATE = 0;

char const* const HID_PERIOD_ALL = "00";
char const* const HID_PERIOD_MONTHLY = "01";
char const* const HID_PERIOD_2MONTHLY = "02";
char const* const HID_PERIOD_3MONTHLY = "03";
char const* const HID_PERIOD_6MONTHLY = "06";
char const* const HID_PERIOD_12MONTHLY = "12";
char const* const HID_PERIOD_ALL_PPD = "0102030612";
char const* const HID_DAY_ULTIMO = "99";
char const* const HID_DAY_ULTIMO_1 = "98";
char const* const HID_DAY_ULTIMO_2 = "97";
char const* const BPD_YES = "true";
char const* const BPD_NO = "false";

// The wide names are pointer variables for callers that expect a non-const
// pointer; the texts are still literals and are never written through.
wchar_t* PROP_PARENT_WND = const_cast<wchar_t*>(L"DlgParentHandle");
wchar_t* PROP_GO_OFFLINE = const_cast<wchar_t*>(L"GoOffline");
wchar_t* PROP_KEEP_ONLINE = const_cast<wchar_t*>(L"OnlineHalten");
wchar_t* DOC_NR = const_cast<wchar_t*>(L"DocumentNumber");
wchar_t* SHOW_DLG = const_cast<wchar_t*>(L"SHOW_DIALOG");

wchar_t* DB_NAME = const_cast<wchar_t*>(L".\\OrvTxnDb");
wchar_t* DB_ACCOUNT = const_cast<wchar_t*>(L"admin");

wchar_t* PROGID_ORVTXNPROCESSING = const_cast<wchar_t*>(L"Brantel.OrvTxnProcessing2");
wchar_t* PROGID_ORVBTX = const_cast<wchar_t*>(L"Brantel.OrvBtx");
wchar_t* PRN_FORM_RESULT = const_cast<wchar_t*>(L"OnlineErgebnisse.vmb");
wchar_t* PRN_FORM_STMT = const_cast<wchar_t*>(L"Kontoauszug.vmb");

}  // namespace ovEBankConst
