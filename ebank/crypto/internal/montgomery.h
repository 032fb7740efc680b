// Montgomery arithmetic modulo an odd number of up to 1024 bits.
//
// Modular powers of the RSA engine spend nearly all their time in modular
// products and squares; in Montgomery form with 64-bit limbs every long
// division becomes multiplications, and the residues are exactly the same.
#ifndef EBANK_CRYPTO_INTERNAL_MONTGOMERY_H_
#define EBANK_CRYPTO_INTERNAL_MONTGOMERY_H_

#include <cstdint>

#include "ebank/crypto/internal/limbs.h"
#include "ebank/crypto/internal/natural_number.h"

namespace ovEBankCrypto {

class MontgomeryModulus {
 public:
  static constexpr unsigned kMaxLimbs = kMaxModulusBytes / 8;  // 16

  // The arithmetic for one limb count; see montgomery.cpp.
  struct Kernels;

  // Whether `d` (of `digits` digits) can be used: odd and at most 1024 bits.
  static bool Suits(const Digit* d, unsigned digits);

  // `d` must suit (see Suits).
  MontgomeryModulus(const Digit* d, unsigned digits);
  MontgomeryModulus(const MontgomeryModulus&) = delete;
  MontgomeryModulus& operator=(const MontgomeryModulus&) = delete;
  // Wipes the modulus and the intermediate product.
  ~MontgomeryModulus();

  // Limbs of every number in Montgomery form: R = 2^(64 * Limbs()).
  unsigned Limbs() const { return limbs_; }

  // out = x * R mod d for x < d of `digits` digits.
  void Enter(Limb* out, const Digit* x, unsigned digits);
  // out (`digits` digits) = x / R mod d.
  void Leave(Digit* out, unsigned digits, const Limb* x);
  // out = a * b / R mod d; out may alias a or b.
  void Multiply(Limb* out, const Limb* a, const Limb* b);
  // out = a * a / R mod d; out may alias a.
  void Square(Limb* out, const Limb* a);

 private:
  Limb modulus_[kMaxLimbs];
  Limb rSquared_[kMaxLimbs];   // R^2 mod d
  Limb multiples_[kMaxLimbs];  // the multiples of d that a product adds
  Limb inverse_;               // -d^-1 mod 2^64
  const Kernels* kernels_;     // unrolled for the limb count
  unsigned limbs_;
};

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_MONTGOMERY_H_
