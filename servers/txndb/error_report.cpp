#include "servers/txndb/error_report.h"

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "ebank/banking/orv_txn_db2.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/hresult.h"
#include "servers/txndb/utf8_text.h"

namespace ebank::txndb {
namespace {

std::string Masked(std::string text, std::string_view secret) {
  if (secret.empty()) return text;
  for (size_t at = text.find(secret); at != std::string::npos; at = text.find(secret, at + 3)) {
    text.replace(at, secret.size(), "***");
  }
  return text;
}

}  // namespace

HRESULT ReportError(HRESULT hr, std::string_view description) {
  ICreateErrorInfo* creator = nullptr;
  if (CreateErrorInfo(&creator) != S_OK) return hr;
  std::wstring source = L"Brantel.OrvTxnDB";
  std::wstring text = Utf8ToWide(description);
  creator->SetGUID(IID_IOrvTxnDB2);
  creator->SetSource(source.data());
  creator->SetDescription(text.data());
  IErrorInfo* info = nullptr;
  if (creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)) == S_OK) {
    SetErrorInfo(0, info);
    info->Release();
  }
  creator->Release();
  return hr;
}

HRESULT ReportCurrentException(std::string_view operation, std::string_view secret) {
  HRESULT hr = E_FAIL;
  std::string what;
  try {
    throw;
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
    what = "out of memory";
  } catch (const std::invalid_argument& error) {
    hr = E_INVALIDARG;
    what = error.what();
  } catch (const std::exception& error) {
    what = error.what();
  } catch (...) {
    what = "unexpected failure";
  }
  return ReportError(hr, Masked(std::string(operation) + ": " + what, secret));
}

}  // namespace ebank::txndb
