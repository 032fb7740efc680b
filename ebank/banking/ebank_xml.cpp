#include "ebank/banking/ebank_xml.h"

#include "ebank/xml/internal/date_attributes.h"

namespace ovEBankXML {

char const* const EBANK_TXN =
    "<TRANSACTION><TRANSACTION_ID/><SENDER "
    "TYPE=''><ADDRESS><NAME/><NAME/><STREET/><CITY/><CITY_CODE/></ADDRESS><ACCOUNT><FK_ID/"
    "><ACCOUNTID CURRENCY='EUR' NAME=''/><FI NAME='' "
    "COUNTRY='280'/><IBAN/></ACCOUNT></SENDER><STATE_OF_EXECUTION/><STATE_OF_EXECUTION_DESC/"
    "><RECEIVER><ADDRESS><NAME/><NAME/><STREET/><CITY/><CITY_CODE/></ADDRESS><ACCOUNT><ACCOUNTID "
    "CURRENCY='EUR'/><FI NAME='' COUNTRY='280'/><IBAN/><BIC/></ACCOUNT></RECEIVER><AMOUNT><VALUE "
    "PREFIX='+' CURRENCY='EUR'>0</VALUE></AMOUNT><DATE_CREATION><DATE DAY='' MONTH='' "
    "YEAR=''/></DATE_CREATION><DATE_EXECUTED><DATE DAY='' MONTH='' "
    "YEAR=''/></DATE_EXECUTED><DATE_OF_EXECUTING><DATE DAY='' MONTH='' "
    "YEAR=''/></DATE_OF_EXECUTING><PURPOSE><TEXT/><TEXT/><TEXT/><TEXT/></PURPOSE><TRANSACTION_KEY/"
    "><TRANSACTION_KEY_SUPPLEMENT/><DESTINATION/><PROGRAM/><SENDING_ID/><DBSTATE/><FORMULAR_KEY/"
    "><DOCUMENT_NUMBER/><EXTERNAL_TRANSACTION_KEY/></TRANSACTION>";
char const* const EBANK_PRINT_TXNS =
    "<TRANSACTIONS><X_OFFSET/><Y_OFFSET/><PRINTER_DIALOG/><PRINTER_NAME/><FONT_NAME/><FONT_SIZE/></"
    "TRANSACTIONS>";
char const* const EBANK_STMT =
    "<STATEMENT TYPE=''><TRANSACTION_ID/><ADDRESS><NAME/></ADDRESS><ACCOUNT><FK_ID/><ACCOUNTID "
    "CURRENCY='' NAME=''/><FI NAME=''/></ACCOUNT><OLD_BALANCE><VALUE PREFIX='+' "
    "CURRENCY='EUR'>0</VALUE></OLD_BALANCE><NEW_BALANCE><VALUE PREFIX='+' "
    "CURRENCY='EUR'>0</VALUE></NEW_BALANCE><DATE_FROM><DATE DAY='' MONTH='' "
    "YEAR=''/></DATE_FROM><DATE_TO><DATE DAY='' MONTH='' "
    "YEAR=''/></DATE_TO><STATE_OF_EXECUTION>0</STATE_OF_EXECUTION><STATE_OF_EXECUTION_DESC/"
    "><PROGRAM/><DBSTATE/><EXTERNAL_TRANSACTION_KEY/></STATEMENT>";
char const* const EBANK_STATE =
    "<STATE><TRANSACTION_ID/><STATE_OF_EXECUTION/><STATE_OF_EXECUTION_DESC/><DESTINATION/"
    "><SENDING_ID/><DATE_EXECUTED><DATE DAY='' MONTH='' YEAR=''/></DATE_EXECUTED></STATE>";
char const* const EBANK_SO =
    "<STANDING_ORDER><TRANSACTION_ID/><SO_BANK_ID/><STATE>new</STATE><AMOUNT><VALUE PREFIX='+' "
    "CURRENCY='EUR'>0</VALUE></AMOUNT><PURPOSE><TEXT/><TEXT/><TEXT/><TEXT/></"
    "PURPOSE><DATE_CREATION><DATE DAY='' MONTH='' YEAR=''/></DATE_CREATION><SENDER "
    "TYPE='HBCI'><ADDRESS><NAME/><NAME/></ADDRESS><ACCOUNT><ACCOUNTHOLDER/><FK_ID/><ACCOUNTID "
    "CURRENCY='EUR' NAME=''/><FI NAME='' "
    "COUNTRY='280'/></ACCOUNT></SENDER><RECEIVER><ADDRESS><NAME/><NAME/></"
    "ADDRESS><ACCOUNT><ACCOUNTHOLDER/><FK_ID/><ACCOUNTID CURRENCY='EUR' NAME=''/><FI NAME='' "
    "COUNTRY='280'/></ACCOUNT></RECEIVER><FIRST_EXECUTION><DATE DAY='' MONTH='' "
    "YEAR=''/></FIRST_EXECUTION><LAST_EXECUTION><DATE DAY='' MONTH='' "
    "YEAR=''/></LAST_EXECUTION><PERIODE DISPOSITION='' "
    "POINTOFTIME=''/><TRANSACTION_KEY/><TRANSACTION_KEY_SUPPLEMENT/><DESTINATION/><SENDING_ID/"
    "><DBSTATE/><STATE_OF_EXECUTION/><STATE_OF_EXECUTION_DESC/><PROGRAM/></STANDING_ORDER>";
char const* const EBANK_BANK_PARAMETER =
    "<SEGMENT><MaxAnzahlAuftraege Format='numeric'/><MinAnzahlSignaturen "
    "Format='numeric'/><Parameter><MaxAnzahlTerminierterAenderungen "
    "Format='numeric'/><MinVorlaufzeit Format='numeric'/><MaxVorlaufzeit "
    "Format='numeric'/><EmpfaengerKontoverbindungAenderbar "
    "Format='yes/no'/><EmpfaengernameAenderbar Format='yes/no'/><BetragAenderbar "
    "Format='yes/no'/><TextschluesselErgaenzungAenderbar "
    "Format='yes/no'/><VerwendungszweckAenderbar "
    "Format='yes/no'/><ErstesAusfuehrungsdatumAenderbar Format='yes/no'/><ZeiteinheitAenderbar "
    "Format='yes/no'/><TurnusAenderbar Format='yes/no'/><AusfuehrungstagAenderbar "
    "Format='yes'/><LetztesAusfuehrungsdatumAenderbar "
    "Format='yes/no'/><MaxAnzahlVerwendungszweckzeilen Format='numeric'/><TurnusInMonaten "
    "Format='digits'/><AusfuehrungstageProMonat Format='digits'/><TurnusInWochen "
    "Format='digits'/><AusfuehrungstageProWoche Format='digits'/><Textschluessel "
    "Format='digits'/></Parameter></SEGMENT>";
char const* const EBANK_HBCI_ACCOUNT =
    "<ACCOUNT_INFO TYPE='HBCI'><USERID/><NAME/><CONTACT/><CUSTOMERID/><ACCOUNT><ACCOUNTID NAME='' "
    "CURRENCY='EUR'/><FI NAME='' "
    "COUNTRY='280'/><MEDIA_TYPE/><FK_ID>-1</FK_ID></ACCOUNT></ACCOUNT_INFO>";

char const* const EBANK_DB_STATE =
    "<STATE><TRANSACTION_ID>%d</TRANSACTION_ID><STATE_OF_EXECUTION>%d</"
    "STATE_OF_EXECUTION><STATE_OF_EXECUTION_DESC>%S</STATE_OF_EXECUTION_DESC><DATE_EXECUTED><DATE "
    "DAY='%d' MONTH='%d' YEAR='%d'/></DATE_EXECUTED><DESTINATION>%d</DESTINATION></STATE>";
char const* const EBANK_HLP =
    "<HELP><CONTEXT_TYPE>%d</CONTEXT_TYPE><CONTROL_ID>%d</CONTROL_ID><ITEM_HANDLE>%d</"
    "ITEM_HANDLE><CONTEXT_ID>%d</CONTEXT_ID><POINT x=\"%d\" y=\"%d\"></POINT></HELP>";
char const* const EBANK_DB_CONNECT =
    "<CONNECT><ODBC><DSN>%S</DSN><UID>%S</UID><PWD>%S</PWD></ODBC></CONNECT>";

wchar_t const* const SENDER_ACCOUNT_FK_ID = L"SENDER/ACCOUNT/FK_ID";
wchar_t const* const SENDER_TYPE = L"SENDER/@TYPE";
wchar_t const* const ACCOUNT_BLZ = L"ACCOUNT/FI";
wchar_t const* const ACCOUNT_BANKNAME = L"ACCOUNT/FI/@NAME";
wchar_t const* const ACCOUNT_CURRENCY = L"ACCOUNT/ACCOUNTID/@CURRENCY";
wchar_t const* const ACCOUNT_COUNTRY = L"ACCOUNT/FI/@COUNTRY";
wchar_t const* const ACCOUNT_NR = L"ACCOUNT/ACCOUNTID";
wchar_t const* const ACCOUNT_NAME = L"ACCOUNT/ACCOUNTID/@NAME";
wchar_t const* const ACCOUNT_FK_ID = L"ACCOUNT/FK_ID";
wchar_t const* const ACCOUNT_HOLDER = L"ACCOUNT/ACCOUNTHOLDER";
wchar_t const* const ACCOUNT_IBAN = L"ACCOUNT/IBAN";
wchar_t const* const ACCOUNT_BIC = L"ACCOUNT/BIC";
wchar_t const* const ADDRESS_NAME1 = L"ADDRESS/NAME[1]";
wchar_t const* const ADDRESS_NAME2 = L"ADDRESS/NAME[2]";
wchar_t const* const ADDRESS_STREET = L"ADDRESS/STREET";
wchar_t const* const ADDRESS_CITY = L"ADDRESS/CITY";
wchar_t const* const ADDRESS_CITY_CODE = L"ADDRESS/CITY_CODE";
wchar_t const* const STATE_OF_EXECUTION = L"STATE_OF_EXECUTION";
wchar_t const* const STATE_OF_EXECUTION_DESC = L"STATE_OF_EXECUTION_DESC";
wchar_t const* const TEXT = L"TEXT";
wchar_t const* const DOC_NUMBER = L"DOCUMENT_NUMBER";
wchar_t const* const PROG = L"PROGRAM";
wchar_t const* const PROG_ID = L"PROGRAMID";
wchar_t const* const PURPOSE = L"PURPOSE";
wchar_t const* const DESTINATION = L"DESTINATION";
wchar_t const* const DATE_CREATION = L"DATE_CREATION/DATE";
wchar_t const* const DATE_EXECUTED = L"DATE_EXECUTED/DATE";
wchar_t const* const DATE_OF_EXECUTING = L"DATE_OF_EXECUTING/DATE";
wchar_t const* const DAY = ddXML::internal::kDayAttribute;
wchar_t const* const MONTH = ddXML::internal::kMonthAttribute;
wchar_t const* const YEAR = ddXML::internal::kYearAttribute;
wchar_t const* const PRN_NAME = L"PRINTER_NAME";
wchar_t const* const FORM = L"FORM";
wchar_t const* const PATH = L"PATH";
wchar_t const* const FORMULA = L"FORMULA";
wchar_t const* const FORMULAR_KEY = L"FORMULAR_KEY";
wchar_t const* const VALUE = L"VALUE";
wchar_t const* const CURRENCY = L"CURRENCY";
wchar_t const* const OLD_BALANCE = L"OLD_BALANCE";
wchar_t const* const OLD_BALANCE_VALUE = L"OLD_BALANCE/VALUE";
wchar_t const* const OLD_BALANCE_VALUE_CUR = L"OLD_BALANCE/VALUE/@CURRENCY";
wchar_t const* const OLD_BALANCE_VALUE_PREFIX = L"OLD_BALANCE/VALUE/@PREFIX";
wchar_t const* const NEW_BALANCE = L"NEW_BALANCE";
wchar_t const* const NEW_BALANCE_VALUE = L"NEW_BALANCE/VALUE";
wchar_t const* const NEW_BALANCE_VALUE_CUR = L"NEW_BALANCE/VALUE/@CURRENCY";
wchar_t const* const NEW_BALANCE_VALUE_PREFIX = L"NEW_BALANCE/VALUE/@PREFIX";
wchar_t const* const OPENING_BALANCE_VALUE = L"OPENING_BALANCE/VALUE";
wchar_t const* const FORMULAR = L"FORMULAR";
wchar_t const* const SENDER = L"SENDER";
wchar_t const* const RECEIVER = L"RECEIVER";
wchar_t const* const DATE_FROM = L"DATE_FROM/DATE";
wchar_t const* const DATE_TO = L"DATE_TO/DATE";
wchar_t const* const SENDING_ID = L"SENDING_ID";
wchar_t const* const DBSTATE = L"DBSTATE";
wchar_t const* const PREFIX = L"PREFIX";
wchar_t const* const AMOUNT_VALUE = L"AMOUNT/VALUE";
wchar_t const* const AMOUNT_VALUE_CUR = L"AMOUNT/VALUE/@CURRENCY";
wchar_t const* const PURPOSE_TEXT1 = L"PURPOSE/TEXT[1]";
wchar_t const* const PURPOSE_TEXT2 = L"PURPOSE/TEXT[2]";
wchar_t const* const PURPOSE_TEXT3 = L"PURPOSE/TEXT[3]";
wchar_t const* const PURPOSE_TEXT4 = L"PURPOSE/TEXT[4]";
wchar_t const* const TXN_ID = L"TRANSACTION_ID";
wchar_t const* const TXN_KEY = L"TRANSACTION_KEY";
wchar_t const* const TXN_KEY_SUPPLEMENT = L"TRANSACTION_KEY_SUPPLEMENT";
wchar_t const* const EXT_TXN_KEY = L"EXTERNAL_TRANSACTION_KEY";
wchar_t const* const TXN = L"TRANSACTION";
wchar_t const* const TXN_ROOT = L"/TRANSACTION";
wchar_t const* const TXNS = L"TRANSACTIONS";
wchar_t const* const TXNS_TXN = L"TRANSACTIONS/TRANSACTION";
wchar_t const* const TXNS_ROOT = L"/TRANSACTIONS";
wchar_t const* const HBCI_ACCOUNTID = L"/ACCOUNT_INFO/ACCOUNT/ACCOUNTID";
wchar_t const* const HBCI_BANKSORTCODE = L"/ACCOUNT_INFO/ACCOUNT/FI";
wchar_t const* const STMT = L"STATEMENT";
wchar_t const* const STMTS = L"STATEMENTS";
wchar_t const* const STMTS_STMT = L"STATEMENTS/STATEMENT";
wchar_t const* const STMTS_ROOT = L"/STATEMENTS";
wchar_t const* const SO = L"STANDING_ORDER";
wchar_t const* const SOS_SO = L"STANDING_ORDERS/STANDING_ORDER";
wchar_t const* const SO_STATE = L"STATE";
wchar_t const* const SO_BANK_ID = L"SO_BANK_ID";
wchar_t const* const SO_PERIODE = L"PERIODE";
wchar_t const* const SO_PERIODE_DISPOSITION = L"PERIODE/@DISPOSITION";
wchar_t const* const SO_PERIODE_POINTOFTIME = L"PERIODE/@POINTOFTIME";
wchar_t const* const SO_FIRST_EXECUTION = L"FIRST_EXECUTION/DATE";
wchar_t const* const SO_LAST_EXECUTION = L"LAST_EXECUTION/DATE";
wchar_t const* const SO_ACCOUNT_NAME = L"ACCOUNT_NAME";
wchar_t const* const SO_BANKSORTCODE = L"BANKSORTCODE";
wchar_t const* const SO_ACCOUNT_NO = L"ACCOUNTNO";
wchar_t const* const SO_BANK_NAME = L"BANKNAME";
wchar_t const* const IA_PROGRAMID = L"/ACCOUNT_DATA/PROGRAMID";
wchar_t const* const IA_RECEIVER = L"/ACCOUNT_DATA/RECEIVERS/RECEIVER";

wchar_t const* const BP_MAXANZAHLAUFTRAEGE = L"MaxAnzahlAuftraege";
wchar_t const* const BP_MINANZAHLSIGNATUREN = L"MinAnzahlSignaturen";
wchar_t const* const BP_PARAMETER = L"Parameter";
wchar_t const* const BP_MAXANZAHLTERMINIERTERAENDERUNGEN =
    L"Parameter/MaxAnzahlTerminierterAenderungen";
wchar_t const* const BP_MINVORLAUFZEIT = L"Parameter/MinVorlaufzeit";
wchar_t const* const BP_MAXVORLAUFZEIT = L"Parameter/MaxVorlaufzeit";
wchar_t const* const BP_EMPFAENGERKONTOVERBINDUNGAENDERBAR =
    L"Parameter/EmpfaengerKontoverbindungAenderbar";
wchar_t const* const BP_EMPFAENGERNAMEAENDERBAR = L"Parameter/EmpfaengernameAenderbar";
wchar_t const* const BP_TEXTSCHLUESSELERGAENZUNGAENDERBAR =
    L"Parameter/TextschluesselErgaenzungAenderbar";
wchar_t const* const BP_VERWENDUNGSZWECKAENDERBAR = L"Parameter/VerwendungszweckAenderbar";
wchar_t const* const BP_ERSTESAUSFUEHRUNGSDATUMAENDERBAR =
    L"Parameter/ErstesAusfuehrungsdatumAenderbar";
wchar_t const* const BP_ZEITEINHEITAENDERBAR = L"Parameter/ZeiteinheitAenderbar";
wchar_t const* const BP_TURNUSAENDERBAR = L"Parameter/TurnusAenderbar";
wchar_t const* const BP_AUSFUEHRUNGSTAGAENDERBAR = L"Parameter/AusfuehrungstagAenderbar";
wchar_t const* const BP_LETZTESAUSFUEHRUNGSDATUMAENDERBAR =
    L"Parameter/LetztesAusfuehrungsdatumAenderbar";
wchar_t const* const BP_MAXANZAHLVERWENDUNGSZWECKZEILEN =
    L"Parameter/MaxAnzahlVerwendungszweckzeilen";
wchar_t const* const BP_TURNUSINMONATEN = L"Parameter/TurnusInMonaten";
wchar_t const* const BP_AUSFUEHRUNGSTAGEPROMONAT = L"Parameter/AusfuehrungstageProMonat";
wchar_t const* const BP_TURNUSINWOCHEN = L"Parameter/TurnusInWochen";
wchar_t const* const BP_AUSFUEHRUNGSTAGEPROWOCHE = L"Parameter/AusfuehrungstageProWoche";
wchar_t const* const BP_TEXTSCHLUESSEL = L"Parameter/Textschluessel";
wchar_t const* const BP_BETRAGAENDERBAR = L"Parameter/BetragAenderbar";

}  // namespace ovEBankXML
