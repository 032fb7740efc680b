#include "ebank/core/error_info_exception.h"

namespace ddCOM {

ErrorInfo::ErrorInfo(LONG hresult) : Exception(hresult), info_(nullptr) {
  // GetErrorInfo hands over the thread's reference, so none is added here.
  GetErrorInfo(0, &info_);
}

ErrorInfo::ErrorInfo(LONG hresult, IErrorInfo* info) : Exception(hresult), info_(info) {
  if (info_ != nullptr) info_->AddRef();
}

ErrorInfo::ErrorInfo(const ErrorInfo& other) : ErrorInfo(other.HResult(), other.info_) {}

ErrorInfo& ErrorInfo::operator=(const ErrorInfo& other) {
  if (this == &other) return *this;
  Exception::operator=(other);
  if (other.info_ != nullptr) other.info_->AddRef();
  if (info_ != nullptr) info_->Release();
  info_ = other.info_;
  return *this;
}

ErrorInfo::~ErrorInfo() {
  if (info_ != nullptr) info_->Release();
}

wchar_t* ErrorInfo::Description() const {
  if (info_ == nullptr) return Exception::Description();
  BSTR description = nullptr;
  if (FAILED(info_->GetDescription(&description))) return nullptr;
  return description;
}

LONG ErrorInfo::Propagate(const GUID& clsid) {
  if (info_ == nullptr) return Exception::Propagate(clsid);
  SetErrorInfo(0, info_);
  info_->Release();
  info_ = nullptr;
  return HResult();
}

}  // namespace ddCOM
