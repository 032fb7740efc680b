// RefPtr: an owning pointer to an object with AddRef and Release, for the
// internal objects of the XML layer (document owners, COM objects).
#ifndef EBANK_PLATFORM_MSXML_INTERNAL_REF_PTR_H_
#define EBANK_PLATFORM_MSXML_INTERNAL_REF_PTR_H_

#include <utility>

namespace ebank::platform::msxml {

template <typename T>
class RefPtr {
 public:
  RefPtr() = default;
  // Adds a reference to `object`.
  explicit RefPtr(T* object) : object_(object) {
    if (object_ != nullptr) object_->AddRef();
  }
  RefPtr(const RefPtr& other) : RefPtr(other.object_) {}
  RefPtr(RefPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  RefPtr& operator=(RefPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~RefPtr() {
    if (object_ != nullptr) object_->Release();
  }

  // Takes over a reference the caller already holds.
  static RefPtr Adopt(T* object) {
    RefPtr result;
    result.object_ = object;
    return result;
  }
  // Gives the reference to the caller.
  T* Detach() { return std::exchange(object_, nullptr); }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

}  // namespace ebank::platform::msxml

#endif  // EBANK_PLATFORM_MSXML_INTERNAL_REF_PTR_H_
