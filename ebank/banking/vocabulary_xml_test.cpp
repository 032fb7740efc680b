#include <string>

#include "ebank/banking/ebank_xml.h"
#include "ebank/banking/ifx.h"
#include "ebank/core/bstring.h"
#include "ebank/platform/com/apartment.h"
#include "ebank/xml/xml_class.h"
#include "gtest/gtest.h"

namespace {

// Loading the templates and selecting the paths needs a COM thread.
class VocabularyXmlTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_GE(CoInitializeEx(nullptr, COINIT_MULTITHREADED), 0); }
  void TearDown() override { CoUninitialize(); }

  // The name of the document element of `xml`, empty when it does not parse.
  static std::wstring RootOf(const ddXML::CXmlClass::BString& xml) {
    ddXML::CXmlClass document(xml);
    IXMLDOMElementPtr root = document.getDocument()->GetdocumentElement();
    return std::wstring(static_cast<const wchar_t*>(root->GetnodeName()));
  }
  static std::wstring RootOf(const char* xml) { return RootOf(ddXML::CXmlClass::BString(xml)); }
  static std::wstring RootOf(const wchar_t* xml) { return RootOf(ddXML::CXmlClass::BString(xml)); }
};

TEST_F(VocabularyXmlTest, EveryTemplateIsAWellFormedDocumentWithItsRoot) {
  using namespace ovEBankXML;
  using namespace ovIFX;
  EXPECT_EQ(RootOf(EBANK_TXN), L"TRANSACTION");
  EXPECT_EQ(RootOf(EBANK_PRINT_TXNS), L"TRANSACTIONS");
  EXPECT_EQ(RootOf(EBANK_STMT), L"STATEMENT");
  EXPECT_EQ(RootOf(EBANK_STATE), L"STATE");
  EXPECT_EQ(RootOf(EBANK_SO), L"STANDING_ORDER");
  EXPECT_EQ(RootOf(EBANK_BANK_PARAMETER), L"SEGMENT");
  EXPECT_EQ(RootOf(EBANK_HBCI_ACCOUNT), L"ACCOUNT_INFO");
  EXPECT_EQ(RootOf(IFX_STATUS), L"Status");
  EXPECT_EQ(RootOf(IFX_AUTHENTICATE), L"AuthenticateRq");
  EXPECT_EQ(RootOf(IFX_AUTHENTICATE_BY_ACCOUNT), L"AuthenticateRq");
  EXPECT_EQ(RootOf(IFX_GET_ONLINE_SO), L"RecXferInqRq");
  EXPECT_EQ(RootOf(IFX_SEND_MULTIPLE_TRANS), L"SendDTAUSRq");
  EXPECT_EQ(RootOf(IFX_ACCOUNT_STATEMENT_INQUIRY), L"AcctStmtInqRq");
  EXPECT_EQ(RootOf(IFX_EURO_TRANSACTION_INQUIRY), L"StdEuroXferNowRq");
}

TEST_F(VocabularyXmlTest, FormatTemplatesGiveWellFormedDocuments) {
  ddXML::CXmlClass::BString connect;
  connect.AppendFormat(ovEBankXML::EBANK_DB_CONNECT, L"dsn", L"user", L"secret");
  ddXML::CXmlClass document(connect);
  EXPECT_EQ(std::wstring(document.getNodeText(L"ODBC/DSN")), L"dsn");
  EXPECT_EQ(std::wstring(document.getNodeText(L"ODBC/UID")), L"user");
  EXPECT_EQ(std::wstring(document.getNodeText(L"ODBC/PWD")), L"secret");
  ddXML::CXmlClass::BString blank;
  blank.AppendFormat(ovEBankXML::EBANK_DB_CONNECT, L"", L"", L"");
  EXPECT_EQ(std::wstring(blank),
            L"<CONNECT><ODBC><DSN></DSN><UID></UID><PWD></PWD></ODBC></CONNECT>");

  ddXML::CXmlClass::BString state;
  state.AppendFormat(ovEBankXML::EBANK_DB_STATE, 11, 2, L"ok", 5, 3, 2008, 1);
  document.loadXML(state);
  EXPECT_EQ(document.getNodeLong(L"TRANSACTION_ID"), 11);
  EXPECT_EQ(document.getNodeDate(ovEBankXML::DATE_EXECUTED).wYear, 2008);
  EXPECT_EQ(document.getNodeLong(L"DESTINATION"), 1);
  ddXML::CXmlClass::BString help;
  help.AppendFormat(ovEBankXML::EBANK_HLP, 1, 2, 3, 4, 5, 6);
  document.loadXML(help);
  EXPECT_EQ(document.getNodeAttrLong(L"POINT", L"y"), 6);
}

// Every path selects exactly one node in the template it addresses, so a
// misspelt step shows up as a count of 0.
TEST_F(VocabularyXmlTest, PathsSelectTheirNodesInTheTemplates) {
  using namespace ovEBankXML;
  auto count = [](const char* xml, const wchar_t* context, const wchar_t* path) {
    ddXML::CXmlClass document(xml);
    return document.getNode(context)->selectNodes(path)->Getlength();
  };
  for (const wchar_t* path : {SENDER_ACCOUNT_FK_ID,
                              SENDER_TYPE,
                              STATE_OF_EXECUTION,
                              STATE_OF_EXECUTION_DESC,
                              DOC_NUMBER,
                              PROG,
                              PURPOSE,
                              DESTINATION,
                              DATE_CREATION,
                              DATE_EXECUTED,
                              DATE_OF_EXECUTING,
                              FORMULAR_KEY,
                              SENDER,
                              RECEIVER,
                              SENDING_ID,
                              DBSTATE,
                              AMOUNT_VALUE,
                              AMOUNT_VALUE_CUR,
                              PURPOSE_TEXT1,
                              PURPOSE_TEXT2,
                              PURPOSE_TEXT3,
                              PURPOSE_TEXT4,
                              TXN_ID,
                              TXN_KEY,
                              TXN_KEY_SUPPLEMENT,
                              EXT_TXN_KEY,
                              TXN_ROOT}) {
    EXPECT_EQ(count(EBANK_TXN, L".", path), 1) << "EBANK_TXN: " << path;
  }
  for (const wchar_t* path : {ACCOUNT_BLZ, ACCOUNT_BANKNAME, ACCOUNT_CURRENCY, ACCOUNT_COUNTRY,
                              ACCOUNT_NR, ACCOUNT_NAME, ACCOUNT_FK_ID, ACCOUNT_IBAN, ADDRESS_NAME1,
                              ADDRESS_NAME2, ADDRESS_STREET, ADDRESS_CITY, ADDRESS_CITY_CODE}) {
    EXPECT_EQ(count(EBANK_TXN, SENDER, path), 1) << "sender: " << path;
  }
  EXPECT_EQ(count(EBANK_TXN, RECEIVER, ACCOUNT_BIC), 1);
  EXPECT_EQ(count(EBANK_SO, SENDER, ACCOUNT_HOLDER), 1);
  for (const wchar_t* path :
       {OLD_BALANCE, OLD_BALANCE_VALUE, OLD_BALANCE_VALUE_CUR, OLD_BALANCE_VALUE_PREFIX,
        NEW_BALANCE, NEW_BALANCE_VALUE, NEW_BALANCE_VALUE_CUR, NEW_BALANCE_VALUE_PREFIX, DATE_FROM,
        DATE_TO}) {
    EXPECT_EQ(count(EBANK_STMT, L".", path), 1) << "EBANK_STMT: " << path;
  }
  for (const wchar_t* path : {SO_STATE, SO_BANK_ID, SO_PERIODE, SO_PERIODE_DISPOSITION,
                              SO_PERIODE_POINTOFTIME, SO_FIRST_EXECUTION, SO_LAST_EXECUTION}) {
    EXPECT_EQ(count(EBANK_SO, L".", path), 1) << "EBANK_SO: " << path;
  }
  EXPECT_EQ(count(EBANK_HBCI_ACCOUNT, L".", HBCI_ACCOUNTID), 1);
  EXPECT_EQ(count(EBANK_HBCI_ACCOUNT, L".", HBCI_BANKSORTCODE), 1);
  EXPECT_EQ(count(EBANK_PRINT_TXNS, L".", PRN_NAME), 1);
  for (const wchar_t* attribute : {DAY, MONTH, YEAR}) {
    EXPECT_EQ(count(EBANK_TXN, DATE_CREATION, (std::wstring(L"@") + attribute).c_str()), 1);
  }
  for (const wchar_t* path : {BP_MAXANZAHLAUFTRAEGE,
                              BP_MINANZAHLSIGNATUREN,
                              BP_PARAMETER,
                              BP_MAXANZAHLTERMINIERTERAENDERUNGEN,
                              BP_MINVORLAUFZEIT,
                              BP_MAXVORLAUFZEIT,
                              BP_EMPFAENGERKONTOVERBINDUNGAENDERBAR,
                              BP_EMPFAENGERNAMEAENDERBAR,
                              BP_TEXTSCHLUESSELERGAENZUNGAENDERBAR,
                              BP_VERWENDUNGSZWECKAENDERBAR,
                              BP_ERSTESAUSFUEHRUNGSDATUMAENDERBAR,
                              BP_ZEITEINHEITAENDERBAR,
                              BP_TURNUSAENDERBAR,
                              BP_AUSFUEHRUNGSTAGAENDERBAR,
                              BP_LETZTESAUSFUEHRUNGSDATUMAENDERBAR,
                              BP_MAXANZAHLVERWENDUNGSZWECKZEILEN,
                              BP_TURNUSINMONATEN,
                              BP_AUSFUEHRUNGSTAGEPROMONAT,
                              BP_TURNUSINWOCHEN,
                              BP_AUSFUEHRUNGSTAGEPROWOCHE,
                              BP_TEXTSCHLUESSEL,
                              BP_BETRAGAENDERBAR}) {
    EXPECT_EQ(count(EBANK_BANK_PARAMETER, L".", path), 1) << "bank parameter: " << path;
  }
}

TEST_F(VocabularyXmlTest, IfxPathsSelectTheirNodesInTheRequests) {
  using namespace ovIFX;
  auto count = [](const char* xml, const wchar_t* path) {
    return ddXML::CXmlClass(xml).getNrOfNodes(path);
  };
  for (const char* request :
       {IFX_AUTHENTICATE_BY_ACCOUNT, IFX_GET_ONLINE_SO, IFX_SEND_MULTIPLE_TRANS,
        IFX_ACCOUNT_STATEMENT_INQUIRY, IFX_EURO_TRANSACTION_INQUIRY}) {
    EXPECT_EQ(count(request, IFX_SENDER_ACCOUNT_KTONR), 1) << request;
    EXPECT_EQ(count(request, IFX_SENDER_ACCOUNT_BLZ), 1) << request;
  }
  EXPECT_EQ(count(IFX_GET_ONLINE_SO, IFX_SENDER_ACCOUNT_COUNTRYCODE), 1);
  EXPECT_EQ(count(IFX_AUTHENTICATE_BY_ACCOUNT, IFX_SENDER_ACCOUNT_CURCODE), 1);
  EXPECT_EQ(count(IFX_AUTHENTICATE_BY_ACCOUNT, IFX_SENDER_ACCOUNT_PASSPHRASE), 1);
  EXPECT_EQ(count(IFX_EURO_TRANSACTION_INQUIRY, IFX_AMOUNT_VALUE), 1);
  EXPECT_EQ(count(IFX_EURO_TRANSACTION_INQUIRY, IFX_AMOUNT_CURRENCY), 1);
  EXPECT_EQ(count(IFX_EURO_TRANSACTION_INQUIRY, L"AzvOrderingCustomer"), 4);
  EXPECT_EQ(count(IFX_EURO_TRANSACTION_INQUIRY, L"AzvRemittanceInfo"), 4);
  for (const wchar_t* path :
       {IFX_SEC_MEDIA_TYPE, IFX_SEC_MEDIA_ID, IFX_SEC_PROG_ID, IFX_HBCI_VER, IFX_BANK_CODE,
        IFX_BANK_NAME, IFX_USER_ID, IFX_CUST_ID, IFX_CARD_ID, IFX_COM_SERVICE, IFX_COM_ADR,
        IFX_COM_ADR_SUF, IFX_PASSPHRASE, IFX_SILENT}) {
    EXPECT_EQ(count(IFX_AUTHENTICATE, path), 1) << path;
  }
  // Status paths address the Status element inside a reply.
  const std::wstring reply = std::wstring(L"<Rs>") + IFX_STATUS + L"</Rs>";
  ddXML::CXmlClass status(reply.c_str());
  for (const wchar_t* path : {IFX_STATUS_CODE, IFX_SEVERITY, IFX_STATUS_DESC}) {
    EXPECT_EQ(status.getNrOfNodes(path), 1) << path;
  }
}

}  // namespace
