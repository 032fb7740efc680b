// Test support: the engine's numbers (digit vectors) as OpenSSL BIGNUMs and
// back, so that BIGNUM arithmetic can serve as the oracle of the tests.
#ifndef EBANK_CRYPTO_TESTING_OPENSSL_BIGNUM_H_
#define EBANK_CRYPTO_TESTING_OPENSSL_BIGNUM_H_

#include <openssl/bn.h>

#include <memory>
#include <vector>

#include "ebank/crypto/internal/natural_number.h"

namespace ovEBankCrypto::testing {

using Number = std::vector<Digit>;
using Bignum = std::unique_ptr<BIGNUM, decltype(&BN_free)>;

inline Bignum NewBignum() {
  return Bignum(BN_new(), &BN_free);
}

// BIGNUM reads and writes little-endian byte strings; digits are
// little-endian words on this platform, so the two layouts coincide.
inline Bignum ToBignum(const Number& a) {
  return Bignum(BN_lebin2bn(reinterpret_cast<const unsigned char*>(a.data()),
                            static_cast<int>(a.size() * sizeof(Digit)), nullptr),
                &BN_free);
}

// `digits` digits of a; an empty number when a does not fit.
inline Number FromBignum(const BIGNUM* a, unsigned digits) {
  Number result(digits);
  if (BN_bn2lebinpad(a, reinterpret_cast<unsigned char*>(result.data()),
                     static_cast<int>(digits * sizeof(Digit))) < 0) {
    result.clear();
  }
  return result;
}

}  // namespace ovEBankCrypto::testing

#endif  // EBANK_CRYPTO_TESTING_OPENSSL_BIGNUM_H_
