#include "ebank/platform/com/bstr_t.h"

#include <atomic>
#include <cwchar>
#include <new>

#include "ebank/platform/com/com_issue_error.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/code_page.h"
#include "ebank/platform/win32/last_error.h"

namespace {

[[noreturn]] void RaiseConversionFailure() {
  const DWORD error = GetLastError();
  _com_issue_error(error == 0 ? E_FAIL : HRESULT_FROM_WIN32(error));
}

// Narrow text in CP_ACP to a new BSTR; null stays null.
BSTR WideFromAnsi(const char* text) {
  if (text == nullptr) return nullptr;
  const int count = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (count <= 0) RaiseConversionFailure();
  BSTR bstr = SysAllocStringLen(nullptr, static_cast<UINT>(count - 1));
  if (bstr == nullptr) _com_issue_error(E_OUTOFMEMORY);
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, bstr, count) != count) {
    SysFreeString(bstr);
    RaiseConversionFailure();
  }
  return bstr;
}

// The whole BSTR (embedded NULs and terminator included) in CP_ACP.
char* AnsiFromWide(BSTR bstr) {
  if (bstr == nullptr) return nullptr;
  const int units = static_cast<int>(SysStringLen(bstr)) + 1;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, bstr, units, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) RaiseConversionFailure();
  char* text = new (std::nothrow) char[bytes];
  if (text == nullptr) _com_issue_error(E_OUTOFMEMORY);
  if (WideCharToMultiByte(CP_ACP, 0, bstr, units, text, bytes, nullptr, nullptr) != bytes) {
    delete[] text;
    RaiseConversionFailure();
  }
  return text;
}

BSTR CheckedAllocation(BSTR bstr) {
  if (bstr == nullptr) _com_issue_error(E_OUTOFMEMORY);
  return bstr;
}

BSTR FullCopy(BSTR bstr) {
  if (bstr == nullptr) return nullptr;
  return CheckedAllocation(
      SysAllocStringByteLen(reinterpret_cast<const char*>(bstr), SysStringByteLen(bstr)));
}

BSTR Concatenate(BSTR left, BSTR right) {
  const UINT left_length = SysStringLen(left);
  const UINT right_length = SysStringLen(right);
  if (left_length + right_length == 0 && left == nullptr && right == nullptr) return nullptr;
  if (right_length > 0x3FFFFFFFu - left_length) _com_issue_error(E_OUTOFMEMORY);
  BSTR joined = CheckedAllocation(SysAllocStringLen(nullptr, left_length + right_length));
  if (left_length > 0) std::wmemcpy(joined, left, left_length);
  if (right_length > 0) std::wmemcpy(joined + left_length, right, right_length);
  return joined;
}

}  // namespace

// One shared text: the BSTR, its narrow form once asked for, and the count of
// holders.
class _bstr_t::Data {
 public:
  explicit Data(BSTR wide) : wide_(wide) {}
  Data(const Data&) = delete;
  Data& operator=(const Data&) = delete;

  static Data* Make(BSTR wide) {
    Data* data = new (std::nothrow) Data(wide);
    if (data == nullptr) {
      SysFreeString(wide);
      _com_issue_error(E_OUTOFMEMORY);
    }
    return data;
  }

  void AddRef() noexcept { ++references_; }
  void Release() noexcept {
    if (--references_ == 0) delete this;
  }

  BSTR wide() const noexcept { return wide_; }
  // The slot may be rewritten by the caller, so the narrow form is dropped.
  BSTR& WideSlot() noexcept {
    DropNarrow();
    return wide_;
  }
  const char* Narrow() {
    if (narrow_ == nullptr) narrow_ = AnsiFromWide(wide_);
    return narrow_;
  }
  BSTR Detach() noexcept {
    DropNarrow();
    BSTR wide = wide_;
    wide_ = nullptr;
    return wide;
  }

 private:
  ~Data() {
    DropNarrow();
    SysFreeString(wide_);
  }
  void DropNarrow() noexcept {
    delete[] narrow_;
    narrow_ = nullptr;
  }

  BSTR wide_;
  char* narrow_ = nullptr;
  std::atomic<ULONG> references_{1};
};

_bstr_t::_bstr_t(const _bstr_t& other) noexcept : data_(other.data_) {
  if (data_ != nullptr) data_->AddRef();
}

_bstr_t::_bstr_t(const char* text) : data_(Data::Make(WideFromAnsi(text))) {}

_bstr_t::_bstr_t(const wchar_t* text)
    : data_(Data::Make(text == nullptr ? nullptr : CheckedAllocation(SysAllocString(text)))) {}

_bstr_t::_bstr_t(BSTR bstr, bool copy) : data_(Data::Make(copy ? FullCopy(bstr) : bstr)) {}

_bstr_t::~_bstr_t() {
  Reset(nullptr);
}

void _bstr_t::Reset(Data* data) noexcept {
  if (data_ != nullptr) data_->Release();
  data_ = data;
}

_bstr_t& _bstr_t::operator=(const _bstr_t& other) noexcept {
  if (other.data_ != nullptr) other.data_->AddRef();
  Reset(other.data_);
  return *this;
}

_bstr_t& _bstr_t::operator=(_bstr_t&& other) noexcept {
  if (this != &other) {
    Reset(other.data_);
    other.data_ = nullptr;
  }
  return *this;
}

_bstr_t& _bstr_t::operator=(const char* text) {
  return *this = _bstr_t(text);
}

_bstr_t& _bstr_t::operator=(const wchar_t* text) {
  return *this = _bstr_t(text);
}

_bstr_t& _bstr_t::operator+=(const _bstr_t& other) {
  return *this = *this + other;
}

_bstr_t _bstr_t::operator+(const _bstr_t& other) const {
  return _bstr_t(Data::Make(Concatenate(*this, other)));
}

_bstr_t operator+(const char* left, const _bstr_t& right) {
  return _bstr_t(left) + right;
}

_bstr_t operator+(const wchar_t* left, const _bstr_t& right) {
  return _bstr_t(left) + right;
}

_bstr_t::operator const wchar_t*() const noexcept {
  return data_ == nullptr ? nullptr : data_->wide();
}

_bstr_t::operator wchar_t*() const noexcept {
  return data_ == nullptr ? nullptr : data_->wide();
}

_bstr_t::operator const char*() const {
  return data_ == nullptr ? nullptr : data_->Narrow();
}

_bstr_t::operator char*() const {
  return const_cast<char*>(static_cast<const char*>(*this));
}

int _bstr_t::Compare(const _bstr_t& other) const noexcept {
  BSTR left = *this;
  BSTR right = other;
  if (left == right) return 0;
  if (left == nullptr) return right == nullptr ? 0 : -1;
  if (right == nullptr) return 1;
  const UINT left_length = SysStringLen(left);
  const UINT right_length = SysStringLen(right);
  const int order =
      std::wmemcmp(left, right, left_length < right_length ? left_length : right_length);
  if (order != 0) return order < 0 ? -1 : 1;
  if (left_length == right_length) return 0;
  return left_length < right_length ? -1 : 1;
}

unsigned int _bstr_t::length() const noexcept {
  return SysStringLen(*this);
}

BSTR _bstr_t::copy(bool copy) const {
  return copy ? FullCopy(*this) : static_cast<BSTR>(*this);
}

void _bstr_t::Assign(BSTR bstr) {
  *this = _bstr_t(bstr, true);
}

void _bstr_t::Attach(BSTR bstr) {
  *this = _bstr_t(bstr, false);
}

BSTR _bstr_t::Detach() noexcept {
  return data_ == nullptr ? nullptr : data_->Detach();
}

BSTR& _bstr_t::GetBSTR() {
  if (data_ == nullptr) data_ = Data::Make(nullptr);
  return data_->WideSlot();
}

BSTR* _bstr_t::GetAddress() {
  Reset(Data::Make(nullptr));
  return &data_->WideSlot();
}
