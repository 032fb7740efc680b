// Montgomery multiplication modulo an odd number of up to 1024 bits.
//
// Modular powers of the RSA engine spend nearly all their time in modular
// products; working in Montgomery form with 64-bit limbs replaces every long
// division by multiplications, and gives exactly the same residues.
#ifndef EBANK_CRYPTO_MONTGOMERY_H_
#define EBANK_CRYPTO_MONTGOMERY_H_

#include <cstdint>

#include "ebank/crypto/natural_number.h"

namespace ovEBankCrypto {

class MontgomeryModulus {
 public:
  using Limb = std::uint64_t;
  static constexpr unsigned kMaxLimbs = kMaxModulusBytes / 8;  // 16
  using MultiplyFunction = void(Limb* out, const Limb* a, const Limb* b, const Limb* modulus,
                                Limb inverse);

  // Whether `d` (of `digits` digits) can be used: odd and at most 1024 bits.
  static bool Suits(const Digit* d, unsigned digits);

  // `d` must suit (see Suits).
  MontgomeryModulus(const Digit* d, unsigned digits);
  MontgomeryModulus(const MontgomeryModulus&) = delete;
  MontgomeryModulus& operator=(const MontgomeryModulus&) = delete;
  ~MontgomeryModulus();

  // out = x * R mod d for x < d of `digits` digits.
  void Enter(Limb* out, const Digit* x, unsigned digits) const;
  // out (`digits` digits) = x / R mod d.
  void Leave(Digit* out, unsigned digits, const Limb* x) const;
  // out = R mod d, the Montgomery form of 1.
  void One(Limb* out) const;
  // out = a * b / R mod d; out may alias a or b.
  void Multiply(Limb* out, const Limb* a, const Limb* b) const;

 private:
  Limb modulus_[kMaxLimbs];
  Limb rSquared_[kMaxLimbs];    // R^2 mod d
  Limb inverse_;                // -d^-1 mod 2^64
  MultiplyFunction* multiply_;  // unrolled for the limb count
  unsigned limbs_;
};

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_MONTGOMERY_H_
