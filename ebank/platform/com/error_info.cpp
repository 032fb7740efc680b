#include "ebank/platform/com/error_info.h"

#include <new>

#include "ebank/platform/com/com_object.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace {

using ebank::platform::ComObject;
using ebank::platform::Implements;

// One error object answers both IErrorInfo (reading) and ICreateErrorInfo
// (filling); its texts are owned BSTRs.
class ErrorObject final : public ComObject<Implements<IErrorInfo, &IID_IErrorInfo>,
                                           Implements<ICreateErrorInfo, &IID_ICreateErrorInfo>> {
 public:
  STDMETHODIMP GetGUID(GUID* guid) override {
    if (guid == nullptr) return E_INVALIDARG;
    *guid = guid_;
    return S_OK;
  }
  STDMETHODIMP GetSource(BSTR* source) override { return CopyOut(source_, source); }
  STDMETHODIMP GetDescription(BSTR* description) override {
    return CopyOut(description_, description);
  }
  STDMETHODIMP GetHelpFile(BSTR* help_file) override { return CopyOut(help_file_, help_file); }
  STDMETHODIMP GetHelpContext(DWORD* help_context) override {
    if (help_context == nullptr) return E_INVALIDARG;
    *help_context = help_context_;
    return S_OK;
  }

  STDMETHODIMP SetGUID(REFGUID guid) override {
    guid_ = guid;
    return S_OK;
  }
  STDMETHODIMP SetSource(LPOLESTR source) override { return Replace(source_, source); }
  STDMETHODIMP SetDescription(LPOLESTR description) override {
    return Replace(description_, description);
  }
  STDMETHODIMP SetHelpFile(LPOLESTR help_file) override { return Replace(help_file_, help_file); }
  STDMETHODIMP SetHelpContext(DWORD help_context) override {
    help_context_ = help_context;
    return S_OK;
  }

 private:
  ~ErrorObject() override {
    SysFreeString(source_);
    SysFreeString(description_);
    SysFreeString(help_file_);
  }

  // The caller gets its own copy; a missing text is handed out as null.
  static HRESULT CopyOut(BSTR held, BSTR* out) {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    if (held == nullptr) return S_OK;
    *out = SysAllocStringByteLen(reinterpret_cast<const char*>(held), SysStringByteLen(held));
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
  }

  // The old text stays when the copy cannot be made.
  static HRESULT Replace(BSTR& held, LPOLESTR text) {
    BSTR copy = SysAllocString(text);
    if (copy == nullptr && text != nullptr) return E_OUTOFMEMORY;
    SysFreeString(held);
    held = copy;
    return S_OK;
  }

  GUID guid_{};
  BSTR source_ = nullptr;
  BSTR description_ = nullptr;
  BSTR help_file_ = nullptr;
  DWORD help_context_ = 0;
};

// The thread's reference to its error object, released when the thread ends.
class ThreadErrorSlot {
 public:
  ~ThreadErrorSlot() {
    if (info_ != nullptr) info_->Release();
  }
  // Stores `info` (already referenced) and returns the previous object.
  IErrorInfo* Exchange(IErrorInfo* info) {
    IErrorInfo* previous = info_;
    info_ = info;
    return previous;
  }

 private:
  IErrorInfo* info_ = nullptr;
};

thread_local ThreadErrorSlot thread_error;

}  // namespace

extern "C" {

HRESULT CreateErrorInfo(ICreateErrorInfo** info) {
  if (info == nullptr) return E_INVALIDARG;
  ErrorObject* object = new (std::nothrow) ErrorObject();
  *info = object;
  return object == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info) {
  if (reserved != 0) return E_INVALIDARG;
  if (info != nullptr) info->AddRef();
  if (IErrorInfo* previous = thread_error.Exchange(info)) previous->Release();
  return S_OK;
}

HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info) {
  if (info == nullptr) return E_INVALIDARG;
  *info = nullptr;
  if (reserved != 0) return E_INVALIDARG;
  *info = thread_error.Exchange(nullptr);
  return *info == nullptr ? S_FALSE : S_OK;
}

}  // extern "C"
