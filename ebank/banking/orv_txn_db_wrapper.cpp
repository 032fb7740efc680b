#include "ebank/banking/orv_txn_db_wrapper.h"

#include "ebank/banking/cdb_account.h"
#include "ebank/banking/ebank_const.h"
#include "ebank/banking/ebank_xml.h"
#include "ebank/core/bstring.h"
#include "ebank/core/raise.h"
#include "ebank/platform/com/class_factory.h"
#include "ebank/xml/xml_class.h"

namespace {

constexpr const wchar_t* kServerProgId = L"Brantel.OrvTxnDB";
// The whole account list rather than one account.
constexpr LONG kAllAccounts = -1;
constexpr LONG kNoAccount = -1;

}  // namespace

COrvTxnDBWrapper::COrvTxnDBWrapper() : m_bstrPwd(L""), m_bstrUid(L""), m_bstrDsn(L"") {}

COrvTxnDBWrapper::COrvTxnDBWrapper(IUnknown* object)
    : m_pDB(object),
      m_bstrPwd(L""),
      m_bstrUid(L""),
      m_bstrDsn(L""),
      m_bCreated(!m_pDB.IsNothing()),
      m_bConnected(m_bCreated),
      m_bAutoDisconnect(false) {}

COrvTxnDBWrapper& COrvTxnDBWrapper::operator=(const COrvTxnDBWrapper& other) {
  m_pDB = other.m_pDB;
  m_bstrPwd = other.m_bstrPwd;
  m_bstrUid = other.m_bstrUid;
  m_bstrDsn = other.m_bstrDsn;
  m_bCreated = other.m_bCreated;
  m_bConnected = other.m_bConnected;
  m_bAutoDisconnect = other.m_bAutoDisconnect;
  return *this;
}

COrvTxnDBWrapper::~COrvTxnDBWrapper() {
  if (m_bAutoDisconnect) DisconnectDB();
}

void COrvTxnDBWrapper::Init(wchar_t* dsn, wchar_t* uid, wchar_t* pwd) {
  m_bstrDsn = dsn;
  m_bstrUid = uid;
  m_bstrPwd = pwd;
}

LONG COrvTxnDBWrapper::CreateDB() {
  if (m_bCreated) return S_OK;
  m_pDB.CreateInstance(kServerProgId,
                       CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER, nullptr);
  // A server that answers success without an object is unusable all the same.
  if (m_pDB.IsNothing()) ddCOM::CheckHResult(E_NOINTERFACE);
  m_bCreated = true;
  return S_OK;
}

LONG COrvTxnDBWrapper::ConnectDB() {
  CreateDB();
  if (m_bConnected) return S_OK;
  ddCOM::BString<wchar_t> request;
  request.AppendFormat(ovEBankXML::EBANK_DB_CONNECT, m_bstrDsn.m_str, m_bstrUid.m_str,
                       m_bstrPwd.m_str);
  const HRESULT result = m_pDB->Connect(request.ByVal());
  m_bConnected = result == S_OK;
  return result;
}

LONG COrvTxnDBWrapper::DisconnectDB() {
  if (!m_bCreated || !m_bConnected) return S_FALSE;
  const HRESULT result = m_pDB->Disconnect();
  m_bConnected = false;
  return result;
}

IOrvTxnDB2* COrvTxnDBWrapper::operator->() {
  ConnectDB();
  return m_pDB.ByVal();
}

LONG COrvTxnDBWrapper::AccountFind(wchar_t* const number, wchar_t* const bankCode) {
  ConnectDB();
  ddCOM::BString<wchar_t> currency(ovEBankConst::CUR_EUR);
  CDBAccount account(number, bankCode, currency.ByVal());
  const _bstr_t konto = account.KontoToXmlbStr();
  LONG key = kNoAccount;
  m_pDB->FindAccount(konto, &key);
  return key;
}

LONG COrvTxnDBWrapper::GetAccountList(IXMLDOMNodeListPtr& list) {
  ConnectDB();
  ddCOM::BString<wchar_t> accounts;
  const HRESULT result = m_pDB->GetAccounts(kAllAccounts, accounts.ByRef());
  if (FAILED(result)) return result;
  // The raw text, so that a null answer loads nothing instead of failing.
  const ddXML::CXmlClass doc(*accounts.ByRef());
  if (!doc.isNodeFound(L"/KONTEN")) return S_FALSE;
  list = doc.getNodes(L"KONTO");
  return S_OK;
}
