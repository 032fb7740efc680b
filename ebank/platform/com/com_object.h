// ComObject: the IUnknown part of a COM class written in C++ — an atomic
// reference count and QueryInterface over a fixed list of interfaces.
//
//   class Widget final
//       : public ComObject<Implements<IWidget, &IID_IWidget, &IID_IDispatch>,
//                          Implements<ISupportErrorInfo, &IID_ISupportErrorInfo>> {
//     // the methods of IWidget and ISupportErrorInfo
//   };
//
// IUnknown answers with the first interface, so every interface of one object
// gives the same identity pointer. A ComObject starts with one reference, owned
// by whoever created it, and deletes itself at the last Release. A
// ScopedComObject lives as long as the scope that holds it (a static class
// factory, a member, a test's local): it starts with no references and Release
// never deletes it, so its count only shows whether callers kept the balance.
#ifndef EBANK_PLATFORM_COM_COM_OBJECT_H_
#define EBANK_PLATFORM_COM_COM_OBJECT_H_

#include <atomic>

#include "ebank/platform/com/guid.h"
#include "ebank/platform/com/unknown.h"
#include "ebank/platform/hresult.h"

namespace ebank::platform {

// One base interface of a ComObject and the interface ids it answers (its own
// and those of the interfaces it derives from, IUnknown excepted). With no ids
// the interface is only reachable through the identity.
template <class I, const IID*... Ids>
struct Implements {
  using Interface = I;
  static bool Answers(REFIID iid) { return (IsEqualIID(iid, *Ids) || ...); }
};

// The creator holds the first reference; the last Release deletes the object.
struct DeletedAtLastRelease {
  static constexpr ULONG kInitialReferences = 1;
  static constexpr bool kDeletesItself = true;
};

// The enclosing scope owns the object; references are only counted.
struct OwnedByScope {
  static constexpr ULONG kInitialReferences = 0;
  static constexpr bool kDeletesItself = false;
};

template <class Lifetime, class First, class... Rest>
class BasicComObject : public First::Interface, public Rest::Interface... {
 public:
  BasicComObject(const BasicComObject&) = delete;
  BasicComObject& operator=(const BasicComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = IsEqualIID(iid, IID_IUnknown) ? Identity() : Find<First, Rest...>(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    return references_.fetch_add(1, std::memory_order_relaxed) + 1;
  }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if constexpr (Lifetime::kDeletesItself) {
      if (left == 0) delete this;
    }
    return left;
  }

  // The outstanding references, for tests that check the balance.
  ULONG References() const { return references_.load(std::memory_order_relaxed); }

 protected:
  BasicComObject() = default;
  virtual ~BasicComObject() = default;

 private:
  IUnknown* Identity() { return static_cast<typename First::Interface*>(this); }

  template <class Entry, class... More>
  void* Find(REFIID iid) {
    if (Entry::Answers(iid)) return static_cast<typename Entry::Interface*>(this);
    if constexpr (sizeof...(More) > 0) {
      return Find<More...>(iid);
    } else {
      return nullptr;
    }
  }

  std::atomic<ULONG> references_{Lifetime::kInitialReferences};
};

template <class First, class... Rest>
using ComObject = BasicComObject<DeletedAtLastRelease, First, Rest...>;

template <class First, class... Rest>
using ScopedComObject = BasicComObject<OwnedByScope, First, Rest...>;

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_COM_COM_OBJECT_H_
