#include "servers/txndb/txn_db_server.h"

#include <string>

#include "ebank/crypto/internal/wiped_string.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "servers/txndb/connect_request.h"
#include "servers/txndb/error_report.h"
#include "servers/txndb/konto_xml.h"
#include "servers/txndb/utf8_text.h"

namespace ebank::txndb {
namespace {

using ovEBankCrypto::WipeString;

// The whole BSTR (its stored length) as UTF-8; null is empty.
std::string BstrToUtf8(BSTR text) {
  return text == nullptr ? std::string() : WideToUtf8(std::wstring_view(text, SysStringLen(text)));
}

// Reads the KONTO of `konto` (its whole stored length; null is empty); on
// failure reports E_INVALIDARG for `operation`.
HRESULT ReadKontoArgument(BSTR konto, const char* operation, KontoRecord& record) {
  std::string error;
  const std::wstring_view text =
      konto == nullptr ? std::wstring_view() : std::wstring_view(konto, SysStringLen(konto));
  if (ReadKonto(text, record, error)) return S_OK;
  return ReportError(E_INVALIDARG, std::string(operation) + ": " + error);
}

}  // namespace

STDMETHODIMP TxnDbServer::Connect(BSTR request) {
  std::lock_guard lock(mutex_);
  std::string text = BstrToUtf8(request);
  std::optional<ConnectRequest> parsed = ParseConnectRequest(text);
  WipeString(text);
  if (!parsed) {
    return ReportError(E_INVALIDARG, "Connect: the request has no <CONNECT><ODBC> element");
  }
  if (parsed->dsn.empty()) {
    WipeString(parsed->pwd);  // nothing else of the request can hold a secret
    return ReportError(E_INVALIDARG, "Connect: the request names no data source (DSN)");
  }
  std::string connection_string = ConnectionString(*parsed);
  HRESULT hr = S_OK;
  try {
    table_.Open(connection_string);
  } catch (...) {
    hr = ReportCurrentException("Connect", parsed->pwd);
  }
  WipeString(connection_string);
  WipeString(parsed->dsn);  // a connection string may carry credentials too
  WipeString(parsed->pwd);
  return hr;
}

STDMETHODIMP TxnDbServer::Disconnect() {
  std::lock_guard lock(mutex_);
  if (!table_.IsOpen()) return S_FALSE;
  table_.Close();
  return S_OK;
}

STDMETHODIMP TxnDbServer::GetAccounts(LONG selector, BSTR* accounts) {
  if (accounts == nullptr) return E_POINTER;
  *accounts = nullptr;
  if (selector != -1) {
    return ReportError(E_INVALIDARG, "GetAccounts: the only selector is -1, all accounts");
  }
  std::lock_guard lock(mutex_);
  try {
    KontenWriter writer(konten_);
    table_.ForEach([&writer](const KontoRecord& record) { writer.Add(record); });
    const std::wstring_view konten = writer.Finish();
    *accounts = SysAllocStringLen(konten.data(), static_cast<UINT>(konten.size()));
    if (*accounts == nullptr) throw std::bad_alloc();
    return S_OK;
  } catch (...) {
    return ReportCurrentException("GetAccounts");
  }
}

STDMETHODIMP TxnDbServer::FindAccount(BSTR konto, LONG* key) {
  if (key == nullptr) return E_POINTER;
  KontoRecord record;
  if (const HRESULT hr = ReadKontoArgument(konto, "FindAccount", record); hr != S_OK) return hr;
  std::lock_guard lock(mutex_);
  try {
    const std::optional<int32_t> found = table_.Find(record.nummer, record.blz, record.currency);
    if (!found) return S_FALSE;
    *key = *found;
    return S_OK;
  } catch (...) {
    return ReportCurrentException("FindAccount");
  }
}

STDMETHODIMP TxnDbServer::AddAccount(BSTR konto, LONG* key) {
  if (key == nullptr) return E_POINTER;
  KontoRecord record;
  if (const HRESULT hr = ReadKontoArgument(konto, "AddAccount", record); hr != S_OK) return hr;
  std::lock_guard lock(mutex_);
  try {
    *key = table_.Add(record);
    return S_OK;
  } catch (...) {
    return ReportCurrentException("AddAccount");
  }
}

}  // namespace ebank::txndb
