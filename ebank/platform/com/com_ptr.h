// _com_ptr_t: the counted interface pointer of the COM support classes.
//
// Holds one reference. Use of a null pointer through -> or * raises
// _com_error(E_POINTER); creation and queries report their HRESULT.
// EBANK_COM_SMARTPTR_TYPEDEF(IFoo, IID_IFoo) defines IFooPtr.
#ifndef EBANK_PLATFORM_COM_COM_PTR_H_
#define EBANK_PLATFORM_COM_COM_PTR_H_

#include <cstddef>
#include <functional>

#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/class_factory.h"
#include "ebank/platform/com/com_issue_error.h"
#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/guid_string.h"
#include "ebank/platform/com/unknown.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"
#include "ebank/platform/win32/code_page.h"

// Binds an interface type to its interface id.
template <typename InterfaceType, const IID* iid>
class _com_IIID {
 public:
  using Interface = InterfaceType;
  static const IID& GetIID() { return *iid; }
};

template <typename IIIDType>
class _com_ptr_t {
 public:
  using ThisIIID = IIIDType;
  using Interface = typename IIIDType::Interface;

  static const IID& GetIID() { return ThisIIID::GetIID(); }

  _com_ptr_t() noexcept = default;
  _com_ptr_t(std::nullptr_t) noexcept {}
  _com_ptr_t(const _com_ptr_t& other) noexcept : _com_ptr_t(other.pointer_) {}
  _com_ptr_t(_com_ptr_t&& other) noexcept : pointer_(other.Detach()) {}
  _com_ptr_t(Interface* pointer) noexcept : _com_ptr_t(pointer, true) {}
  // Without `add_ref` the caller's reference is taken over.
  _com_ptr_t(Interface* pointer, bool add_ref) noexcept : pointer_(pointer) {
    if (add_ref) AddRefIfHeld();
  }
  // Queries another interface pointer for this one; E_NOINTERFACE gives null,
  // other failures raise.
  template <typename OtherIIID>
  _com_ptr_t(const _com_ptr_t<OtherIIID>& other) {
    QueryFrom(other.GetInterfacePtr());
  }
  template <typename Other>
  _com_ptr_t(Other* other) {
    QueryFrom(other);
  }
  // Creates an object; failures other than E_NOINTERFACE raise.
  explicit _com_ptr_t(const CLSID& clsid, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL) {
    RaiseOnCreationFailure(CreateInstance(clsid, outer, context));
  }
  explicit _com_ptr_t(LPCWSTR clsid_or_prog_id, IUnknown* outer = nullptr,
                      DWORD context = CLSCTX_ALL) {
    RaiseOnCreationFailure(CreateInstance(clsid_or_prog_id, outer, context));
  }
  ~_com_ptr_t() { ReleaseIfHeld(); }

  _com_ptr_t& operator=(_com_ptr_t other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  _com_ptr_t& operator=(Interface* pointer) noexcept { return *this = _com_ptr_t(pointer); }
  _com_ptr_t& operator=(std::nullptr_t) noexcept { return *this = _com_ptr_t(); }

  // Takes over the caller's reference (or adds one with `add_ref`).
  void Attach(Interface* pointer, bool add_ref = false) noexcept {
    *this = _com_ptr_t(pointer, add_ref);
  }
  // Hands the reference to the caller; this pointer becomes null.
  Interface* Detach() noexcept {
    Interface* pointer = pointer_;
    pointer_ = nullptr;
    return pointer;
  }
  // Drops the reference; raises E_POINTER when there is none.
  void Release() {
    Get();
    ReleaseIfHeld();
  }
  void AddRef() { Get()->AddRef(); }

  Interface* GetInterfacePtr() const noexcept { return pointer_; }
  Interface*& GetInterfacePtr() noexcept { return pointer_; }
  operator Interface*() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }
  Interface* operator->() const { return Get(); }
  Interface& operator*() const { return *Get(); }
  // Releases what is held and returns the slot for an out-parameter.
  Interface** operator&() noexcept {
    ReleaseIfHeld();
    return &pointer_;
  }

  HRESULT CreateInstance(const CLSID& clsid, IUnknown* outer = nullptr,
                         DWORD context = CLSCTX_ALL) noexcept {
    ReleaseIfHeld();
    const HRESULT hresult =
        CoCreateInstance(clsid, outer, context, GetIID(), reinterpret_cast<void**>(&pointer_));
    if (FAILED(hresult)) pointer_ = nullptr;
    return hresult;
  }
  // A text starting with '{' is a CLSID, anything else a ProgID.
  HRESULT CreateInstance(LPCWSTR clsid_or_prog_id, IUnknown* outer = nullptr,
                         DWORD context = CLSCTX_ALL) noexcept {
    if (clsid_or_prog_id == nullptr) return E_INVALIDARG;
    CLSID clsid;
    const HRESULT hresult = clsid_or_prog_id[0] == L'{' ? CLSIDFromString(clsid_or_prog_id, &clsid)
                                                        : CLSIDFromProgID(clsid_or_prog_id, &clsid);
    if (FAILED(hresult)) return hresult;
    return CreateInstance(clsid, outer, context);
  }
  // The narrow text is read in the ANSI code page.
  HRESULT CreateInstance(LPCSTR clsid_or_prog_id, IUnknown* outer = nullptr,
                         DWORD context = CLSCTX_ALL) noexcept {
    if (clsid_or_prog_id == nullptr) return E_INVALIDARG;
    constexpr int kMaxName = 256;
    wchar_t wide[kMaxName];
    if (MultiByteToWideChar(CP_ACP, 0, clsid_or_prog_id, -1, wide, kMaxName) == 0) {
      return E_INVALIDARG;
    }
    return CreateInstance(wide, outer, context);
  }

  template <typename Other>
  HRESULT QueryInterface(const IID& iid, Other*& result) const noexcept {
    return QueryInterface(iid, &result);
  }
  template <typename Other>
  HRESULT QueryInterface(const IID& iid, Other** result) const noexcept {
    if (pointer_ == nullptr) return E_POINTER;
    return pointer_->QueryInterface(iid, reinterpret_cast<void**>(result));
  }

  // Comparisons are by object identity (the IUnknown of each side).
  template <typename Other>
  bool operator==(Other* other) const {
    return CompareUnknown(other) == 0;
  }
  template <typename OtherIIID>
  bool operator==(const _com_ptr_t<OtherIIID>& other) const {
    return CompareUnknown(other.GetInterfacePtr()) == 0;
  }
  bool operator==(const _com_ptr_t& other) const { return CompareUnknown(other.pointer_) == 0; }
  bool operator==(std::nullptr_t) const noexcept { return pointer_ == nullptr; }
  template <typename Other>
  bool operator<(const Other& other) const {
    return CompareUnknown(Unwrap(other)) < 0;
  }
  template <typename Other>
  bool operator>(const Other& other) const {
    return CompareUnknown(Unwrap(other)) > 0;
  }

 private:
  Interface* Get() const {
    if (pointer_ == nullptr) _com_issue_error(E_POINTER);
    return pointer_;
  }
  void AddRefIfHeld() noexcept {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  void ReleaseIfHeld() noexcept {
    if (pointer_ != nullptr) pointer_->Release();
    pointer_ = nullptr;
  }
  static void RaiseOnCreationFailure(HRESULT hresult) {
    if (FAILED(hresult) && hresult != E_NOINTERFACE) _com_issue_error(hresult);
  }
  template <typename Other>
  void QueryFrom(Other* other) {
    if (other == nullptr) return;
    const HRESULT hresult = other->QueryInterface(GetIID(), reinterpret_cast<void**>(&pointer_));
    if (FAILED(hresult)) {
      pointer_ = nullptr;
      if (hresult != E_NOINTERFACE) _com_issue_error(hresult);
    }
  }
  template <typename OtherIIID>
  static typename OtherIIID::Interface* Unwrap(const _com_ptr_t<OtherIIID>& other) {
    return other.GetInterfacePtr();
  }
  template <typename Other>
  static Other* Unwrap(Other* other) {
    return other;
  }
  // The object's identity; null for null. A failing query raises.
  template <typename Other>
  static IUnknown* IdentityOf(Other* pointer) {
    if (pointer == nullptr) return nullptr;
    IUnknown* unknown = nullptr;
    const HRESULT hresult =
        pointer->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (FAILED(hresult)) _com_issue_error(hresult);
    unknown->Release();
    return unknown;
  }
  template <typename Other>
  int CompareUnknown(Other* other) const {
    IUnknown* mine = IdentityOf(pointer_);
    IUnknown* theirs = IdentityOf(other);
    if (mine == theirs) return 0;
    return std::less<IUnknown*>()(mine, theirs) ? -1 : 1;
  }

  Interface* pointer_ = nullptr;
};

#define EBANK_COM_SMARTPTR_TYPEDEF(Interface, iid) \
  using Interface##Ptr = _com_ptr_t<_com_IIID<Interface, &iid>>

#endif  // EBANK_PLATFORM_COM_COM_PTR_H_
