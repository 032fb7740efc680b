// A value that is zero-filled when it is created and when it goes out of
// scope, for records such as key pairs and generator states that must not
// outlive their use, also when an exception passes through.
#ifndef EBANK_CRYPTO_INTERNAL_WIPED_H_
#define EBANK_CRYPTO_INTERNAL_WIPED_H_

#include <string.h>

#include <type_traits>

namespace ovEBankCrypto {

template <typename T>
class Wiped {
  static_assert(std::is_trivially_copyable_v<T>, "only plain records can be zero-filled");

 public:
  Wiped() { Clear(); }
  Wiped(const Wiped&) = delete;
  Wiped& operator=(const Wiped&) = delete;
  ~Wiped() { Clear(); }

  void Clear() { explicit_bzero(&value_, sizeof value_); }
  T& operator*() { return value_; }
  T* operator->() { return &value_; }

 private:
  T value_;
};

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_WIPED_H_
