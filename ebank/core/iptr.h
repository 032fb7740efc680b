// ddCOM::IPtr, the owning pointer to one COM interface: it holds one counted
// reference to an `I` whose interface id is `*piid`, and raises failures of
// creation and QueryInterface as ddCOM::ErrorInfo.
#ifndef EBANK_CORE_IPTR_H_
#define EBANK_CORE_IPTR_H_

#include "ebank/core/raise.h"
#include "ebank/platform/com/activation.h"
#include "ebank/platform/com/unknown.h"
#include "ebank/platform/types.h"

namespace ddCOM {

template <class I, const IID* piid>
class IPtr {
 public:
  IPtr() = default;
  IPtr(I* pointer, bool add_ref) : p_(pointer) {
    if (p_ != nullptr && add_ref) p_->AddRef();
  }
  IPtr(const IPtr& other) : p_(other.p_) {
    if (p_ != nullptr) p_->AddRef();
  }
  explicit IPtr(IUnknown* object) { QueryFrom(object); }
  IPtr(const GUID& clsid, DWORD context, IUnknown* outer) { Create(clsid, context, outer); }
  IPtr(const wchar_t* prog_id, DWORD context, IUnknown* outer) {
    Create(ClsidOf(prog_id), context, outer);
  }
  ~IPtr() { Release(); }

  I* operator=(IUnknown* object) {
    Release();
    QueryFrom(object);
    return p_;
  }
  I* operator=(IPtr other) {
    Release();
    p_ = other.p_;
    if (p_ != nullptr) p_->AddRef();
    return p_;
  }

  // Takes over the caller's reference.
  void Attach(I* pointer) {
    Release();
    p_ = pointer;
  }
  // The non-throwing QueryInterface: returns its HRESULT.
  LONG InitFromObject(IUnknown* object) {
    Release();
    if (object == nullptr) return S_OK;
    I* result = nullptr;
    const HRESULT hr = object->QueryInterface(*piid, reinterpret_cast<void**>(&result));
    if (SUCCEEDED(hr)) p_ = result;
    return hr;
  }
  void CreateInstance(const GUID& clsid, DWORD context, IUnknown* outer) {
    Release();
    Create(clsid, context, outer);
  }
  // The ProgID is resolved before the current pointer is released, so an
  // unknown ProgID leaves it in place.
  void CreateInstance(const wchar_t* prog_id, DWORD context, IUnknown* outer) {
    const CLSID clsid = ClsidOf(prog_id);
    CreateInstance(clsid, context, outer);
  }

  void Release() {
    if (p_ == nullptr) return;
    I* old = p_;
    p_ = nullptr;
    old->Release();
  }
  // Hands the reference to the caller.
  I* Detach() {
    I* old = p_;
    p_ = nullptr;
    return old;
  }
  // A new reference for the caller.
  I* Copy() const {
    if (p_ != nullptr) p_->AddRef();
    return p_;
  }

  operator I*() const { return p_; }
  I* operator->() const { return p_; }
  I* ByVal() const { return p_; }
  I** ByRef() { return &p_; }
  void** GetVoidDestination() {
    Release();
    return reinterpret_cast<void**>(&p_);
  }
  I** RetVal() {
    Release();
    return &p_;
  }

  bool operator!() const { return p_ == nullptr; }
  bool IsNothing() const { return p_ == nullptr; }

  // COM identity: both null, or both answering the same IUnknown pointer. An
  // object that gives no IUnknown is never the same as anything.
  bool IsSameObject(IUnknown* other) const {
    if (p_ == nullptr || other == nullptr) return p_ == nullptr && other == nullptr;
    IUnknown* mine = IdentityOf(p_);
    IUnknown* theirs = IdentityOf(other);
    const bool same = mine != nullptr && mine == theirs;
    if (mine != nullptr) mine->Release();
    if (theirs != nullptr) theirs->Release();
    return same;
  }
  bool operator==(const IPtr& other) const { return IsSameObject(other.p_); }
  bool operator!=(const IPtr& other) const { return !IsSameObject(other.p_); }

 private:
  static IUnknown* IdentityOf(IUnknown* object) {
    IUnknown* identity = nullptr;
    if (FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)))) {
      return nullptr;
    }
    return identity;
  }
  static CLSID ClsidOf(const wchar_t* prog_id) {
    CLSID clsid{};
    CheckHResult(CLSIDFromProgID(prog_id, &clsid));
    return clsid;
  }
  void QueryFrom(IUnknown* object) {
    if (object == nullptr) return;
    I* result = nullptr;
    CheckHResult(object->QueryInterface(*piid, reinterpret_cast<void**>(&result)));
    p_ = result;
  }
  void Create(const GUID& clsid, DWORD context, IUnknown* outer) {
    I* result = nullptr;
    CheckHResult(CoCreateInstance(clsid, outer, context, *piid, reinterpret_cast<void**>(&result)));
    p_ = result;
  }

  I* p_ = nullptr;
};

}  // namespace ddCOM

#endif  // EBANK_CORE_IPTR_H_
