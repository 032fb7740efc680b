// A fixed array that overwrites itself with zero bytes when it goes out of
// scope.
//
// The engine keeps key parts, blocks, digests and intermediate numbers in
// these, so nothing secret stays behind in a stack frame.
#ifndef EBANK_CRYPTO_INTERNAL_WIPED_ARRAY_H_
#define EBANK_CRYPTO_INTERNAL_WIPED_ARRAY_H_

#include <string.h>

#include <cstddef>

namespace ovEBankCrypto {

template <typename T, std::size_t N>
class WipedArray {
 public:
  WipedArray() = default;
  WipedArray(const WipedArray&) = delete;
  WipedArray& operator=(const WipedArray&) = delete;
  ~WipedArray() { explicit_bzero(items_, sizeof items_); }

  operator T*() { return items_; }
  operator const T*() const { return items_; }
  static constexpr std::size_t size() { return N; }

 private:
  T items_[N];
};

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_WIPED_ARRAY_H_
