#include "ebank/platform/com/com_error.h"

#include <cstring>

#include "ebank/platform/com/guid.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/format_message.h"
#include "ebank/platform/win32/wvsprintf.h"

namespace {

// Dispatch error numbers are carried as ITF failures from 0x80040200 on.
constexpr HRESULT kFirstDispatchError = MakeHResult(0x80040200);
constexpr HRESULT kLastDispatchError = MakeHResult(0x8004FFFF);
constexpr SIZE_T kFallbackMessageSize = 32;

// Reads one text of an error object into a _bstr_t that owns it.
_bstr_t ReadText(IErrorInfo* info, HRESULT (STDMETHODCALLTYPE IErrorInfo::*getter)(BSTR*)) {
  BSTR text = nullptr;
  if (info != nullptr && FAILED((info->*getter)(&text))) text = nullptr;
  return _bstr_t(text, false);
}

void StripLineBreak(char* text) {
  std::size_t length = std::strlen(text);
  while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r')) {
    text[--length] = '\0';
  }
}

}  // namespace

_com_error::_com_error(HRESULT hresult, IErrorInfo* info, bool add_ref)
    : hresult_(hresult), info_(info) {
  if (add_ref && info_ != nullptr) info_->AddRef();
}

_com_error::_com_error(const _com_error& other) : _com_error(other.hresult_, other.info_, true) {}

_com_error& _com_error::operator=(const _com_error& other) {
  if (this == &other) return *this;
  if (other.info_ != nullptr) other.info_->AddRef();
  if (info_ != nullptr) info_->Release();
  info_ = other.info_;
  hresult_ = other.hresult_;
  LocalFree(message_);
  message_ = nullptr;
  return *this;
}

_com_error::~_com_error() {
  if (info_ != nullptr) info_->Release();
  LocalFree(message_);
}

WORD _com_error::WCode() const {
  if (hresult_ < kFirstDispatchError || hresult_ > kLastDispatchError) return 0;
  return static_cast<WORD>(hresult_ - kFirstDispatchError);
}

IErrorInfo* _com_error::ErrorInfo() const {
  if (info_ != nullptr) info_->AddRef();
  return info_;
}

_bstr_t _com_error::Description() const {
  return ReadText(info_, &IErrorInfo::GetDescription);
}

_bstr_t _com_error::Source() const {
  return ReadText(info_, &IErrorInfo::GetSource);
}

const char* _com_error::ErrorMessage() const {
  if (message_ != nullptr) return message_;
  FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hresult_), 0, reinterpret_cast<LPSTR>(&message_), 0, nullptr);
  if (message_ != nullptr) {
    StripLineBreak(message_);
    return message_;
  }
  message_ = static_cast<char*>(LocalAlloc(LMEM_FIXED, kFallbackMessageSize));
  if (message_ == nullptr) return "";
  if (WCode() != 0) {
    wsprintfA(message_, "IDispatch error #%d", static_cast<int>(WCode()));
  } else {
    wsprintfA(message_, "Unknown error 0x%0X", static_cast<unsigned>(hresult_));
  }
  return message_;
}

void _com_issue_error(HRESULT hresult) {
  throw _com_error(hresult);
}

void _com_issue_errorex(HRESULT hresult, IUnknown* object, REFIID iid) {
  IErrorInfo* info = nullptr;
  ISupportErrorInfo* support = nullptr;
  if (object != nullptr &&
      SUCCEEDED(
          object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) &&
      support != nullptr) {
    const HRESULT supported = support->InterfaceSupportsErrorInfo(iid);
    support->Release();
    if (supported == S_OK && GetErrorInfo(0, &info) != S_OK) info = nullptr;
  }
  throw _com_error(hresult, info);
}
