// ddCOM::BString: the owning BSTR string that every exported text travels in.
//
// Null is the empty string. The length is the allocator's byte length, so
// embedded NULs survive every copy. Narrow text is widened byte by byte (byte
// 0xE4 becomes U+00E4); comparisons ignore case. All members are inline.
#ifndef EBANK_CORE_BSTRING_H_
#define EBANK_CORE_BSTRING_H_

#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "ebank/core/copy_bstr.h"
#include "ebank/core/is_bstr.h"
#include "ebank/core/raise.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/types.h"
#include "ebank/platform/win32/wide_string.h"
#include "ebank/platform/win32/wvsprintf.h"

namespace ddCOM {

template <typename Char>
class BString;

template <>
class BString<wchar_t> {
 public:
  BString() = default;
  BString(const BString& other) : bstr_(CopyBSTR(other.bstr_)) {}
  BString(BString&& other) noexcept : bstr_(other.Detach()) {}
  explicit BString(IsBSTR source) : bstr_(CopyBSTR(source)) {}
  // Copies up to the first NUL: null gives null, L"" an allocated empty string.
  BString(const wchar_t* text) : bstr_(CopyUpToNul(text)) {}
  // Widens up to the NUL; null and "" give null.
  BString(const char* text) : bstr_(Widen(text, text == nullptr ? 0 : Count(text))) {}
  BString(const char* text, UINT count) : bstr_(Widen(text, count)) {}
  BString(const wchar_t* text, UINT count) : bstr_(CopyCount(text, count)) {}
  ~BString() { SysFreeString(bstr_); }

  // The assignments free the old string first, so a failed allocation leaves
  // the string null.
  BString& operator=(const BString& other) {
    if (this != &other) {
      Empty();
      bstr_ = CopyBSTR(other.bstr_);
    }
    return *this;
  }
  BString& operator=(BString&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
  }
  BString& operator=(const char* text) {
    Empty();
    if (text != nullptr) bstr_ = Widen(text, Count(text));
    return *this;
  }
  // Copies before freeing, since `text` may point into this string.
  void Assign(const wchar_t* text, UINT count) {
    const bool wanted = text != nullptr && count != 0;
    BSTR copy = wanted && count <= kMaxLength ? SysAllocStringLen(text, count) : nullptr;
    Attach(copy);
    if (wanted && copy == nullptr) RaiseHResult(E_OUTOFMEMORY);
  }

  UINT Length() const { return ebank::platform::BstrLength(bstr_); }
  bool IsEmpty() const { return bstr_ == nullptr || bstr_[0] == L'\0'; }
  bool IsNothing() const { return bstr_ == nullptr; }

  // Case-insensitive; an empty string sorts before every non-empty one.
  int Compare(const BString& other) const {
    const bool empty = IsEmpty();
    if (empty || other.IsEmpty()) return empty == other.IsEmpty() ? 0 : (empty ? -1 : 1);
    return _wcsicmp(bstr_, other.bstr_);
  }
  bool operator==(const BString& other) const { return Compare(other) == 0; }
  bool operator==(const char* text) const { return Compare(BString(text)) == 0; }

  void Empty() {
    SysFreeString(bstr_);
    bstr_ = nullptr;
  }

  // Resizes to `length` characters keeping the old content that fits; new
  // characters are uninitialised. The allocator grows the string in place
  // when its block has room. On failure the old string stays.
  void SetLength(UINT length) {
    if (length == 0) return Empty();
    if (length > kMaxLength || !SysReAllocStringLen(&bstr_, nullptr, length)) {
      RaiseHResult(E_OUTOFMEMORY);
    }
  }
  void Truncate(UINT length) {
    if (length < Length()) SetLength(length);
  }

  // Appends `count` bytes of `text`, widened. On failure the old string stays.
  void Append(const char* text, UINT count) {
    if (text == nullptr || count == 0) return;
    const UINT old_length = Length();
    if (count > kMaxLength - old_length) RaiseHResult(E_OUTOFMEMORY);
    SetLength(old_length + count);
    WidenInto(bstr_ + old_length, text, count);
  }
  BString& operator+=(const char* text) {
    if (text != nullptr) Append(text, Count(text));
    return *this;
  }
  // Formats with the wvsprintfA rules (at most 1023 characters) and appends
  // the result; returns the number of characters formatted.
  int AppendFormat(const char* format, ...) {
    if (format == nullptr) return 0;
    char buffer[kFormatBufferSize];
    va_list args;
    va_start(args, format);
    const int count = wvsprintfA(buffer, format, args);
    va_end(args);
    if (count <= 0) return 0;
    Append(buffer, static_cast<UINT>(count));
    return count;
  }

  // Input text for automation calls: never null (L"" stands for null).
  BSTR ByVal() const { return bstr_ != nullptr ? bstr_ : const_cast<BSTR>(L""); }
  operator const wchar_t*() const { return ByVal(); }
  // The owned BSTR for an in/out parameter (may be null).
  BSTR* ByRef() { return &bstr_; }
  // Empties the string and returns its slot for an out-parameter; the string
  // then owns what the callee writes there.
  BSTR* RetVal() {
    Empty();
    return &bstr_;
  }
  // A full-length copy that the caller owns.
  BSTR Copy() const { return CopyBSTR(bstr_); }
  // Takes ownership of `bstr` (freeing the old string).
  void Attach(BSTR bstr) {
    SysFreeString(bstr_);
    bstr_ = bstr;
  }
  // Gives up ownership; the string becomes null.
  BSTR Detach() {
    BSTR bstr = bstr_;
    bstr_ = nullptr;
    return bstr;
  }

 private:
  static constexpr UINT kMaxLength = 0x3FFFFFFF;
  static constexpr int kFormatBufferSize = 1024;

  static UINT Count(const char* text) {
    const std::size_t length = std::strlen(text);
    if (length > kMaxLength) RaiseHResult(E_OUTOFMEMORY);
    return static_cast<UINT>(length);
  }

  // The one allocation rule: 0 characters is null, anything else is an
  // uninitialised, terminated BSTR or E_OUTOFMEMORY.
  static BSTR Allocate(UINT length) {
    if (length == 0) return nullptr;
    BSTR bstr = length <= kMaxLength ? SysAllocStringLen(nullptr, length) : nullptr;
    if (bstr == nullptr) RaiseHResult(E_OUTOFMEMORY);
    return bstr;
  }
  static void WidenInto(wchar_t* out, const char* text, UINT count) {
    for (UINT i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(text[i]);
  }
  static BSTR Widen(const char* text, UINT count) {
    if (text == nullptr) return nullptr;
    BSTR bstr = Allocate(count);
    WidenInto(bstr, text, count);
    return bstr;
  }
  static BSTR CopyCount(const wchar_t* text, UINT count) {
    if (text == nullptr) return nullptr;
    BSTR bstr = Allocate(count);
    if (bstr != nullptr) std::wmemcpy(bstr, text, count);
    return bstr;
  }
  static BSTR CopyUpToNul(const wchar_t* text) {
    if (text == nullptr) return nullptr;
    BSTR bstr = SysAllocString(text);
    if (bstr == nullptr) RaiseHResult(E_OUTOFMEMORY);
    return bstr;
  }

  BSTR bstr_ = nullptr;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_BSTRING_H_
