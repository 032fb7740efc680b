#include "ebank/crypto/montgomery.h"

#include <string.h>

#include "ebank/crypto/wiped_array.h"

namespace ovEBankCrypto {
namespace {

using Limb = MontgomeryModulus::Limb;
using Wide = unsigned __int128;

constexpr unsigned kMaxLimbs = MontgomeryModulus::kMaxLimbs;

void DigitsToLimbs(Limb* out, unsigned limbs, const Digit* x, unsigned digits) {
  for (unsigned i = 0; i < limbs; ++i) {
    Limb low = 2 * i < digits ? x[2 * i] : 0;
    Limb high = 2 * i + 1 < digits ? x[2 * i + 1] : 0;
    out[i] = low | high << 32;
  }
}

void LimbsToDigits(Digit* out, unsigned digits, const Limb* x, unsigned limbs) {
  for (unsigned i = 0; i < digits; ++i)
    out[i] = i / 2 < limbs ? static_cast<Digit>(x[i / 2] >> (32 * (i % 2))) : 0;
}

// -m^-1 mod 2^64 for odd m, by Newton steps that double the correct bits
// (an odd m is its own inverse to 3 bits).
Limb NegatedInverse(Limb m) {
  Limb inverse = m;
  for (int step = 0; step < 5; ++step) inverse *= 2 - m * inverse;
  return 0 - inverse;
}

}  // namespace

bool MontgomeryModulus::Suits(const Digit* d, unsigned digits) {
  unsigned significant = bnDigits(d, digits);
  return significant > 0 && significant <= 2 * kMaxLimbs && (d[0] & 1) != 0;
}

MontgomeryModulus::MontgomeryModulus(const Digit* d, unsigned digits) {
  unsigned significant = bnDigits(d, digits);
  limbs_ = (significant + 1) / 2;
  DigitsToLimbs(modulus_, limbs_, d, significant);
  inverse_ = NegatedInverse(modulus_[0]);

  // R = 2^(64 * limbs); R^2 mod d by one long division.
  WipedArray<Digit, kMaxProductDigits> power;
  unsigned powerDigits = 4 * limbs_ + 1;
  bnAssignZero(power, powerDigits);
  power[powerDigits - 1] = 1;
  WipedArray<Digit, kMaxDigits> remainder;
  bnMod(remainder, power, powerDigits, d, significant);
  DigitsToLimbs(rSquared_, limbs_, remainder, significant);
}

MontgomeryModulus::~MontgomeryModulus() {
  explicit_bzero(modulus_, sizeof modulus_);
  explicit_bzero(rSquared_, sizeof rSquared_);
  explicit_bzero(&inverse_, sizeof inverse_);
}

void MontgomeryModulus::Enter(Limb* out, const Digit* x, unsigned digits) const {
  WipedArray<Limb, kMaxLimbs> limbs;
  DigitsToLimbs(limbs, limbs_, x, digits);
  Multiply(out, limbs, rSquared_);
}

void MontgomeryModulus::Leave(Digit* out, unsigned digits, const Limb* x) const {
  WipedArray<Limb, kMaxLimbs> unit;
  memset(unit, 0, sizeof(Limb) * limbs_);
  unit[0] = 1;
  WipedArray<Limb, kMaxLimbs> plain;
  Multiply(plain, x, unit);
  LimbsToDigits(out, digits, plain, limbs_);
}

void MontgomeryModulus::One(Limb* out) const {
  WipedArray<Limb, kMaxLimbs> unit;
  memset(unit, 0, sizeof(Limb) * limbs_);
  unit[0] = 1;
  Multiply(out, rSquared_, unit);
}

// Coarsely integrated operand scanning: one row of a * b[i] is added, then one
// multiple of the modulus that clears the lowest limb, which is dropped.
void MontgomeryModulus::Multiply(Limb* out, const Limb* a, const Limb* b) const {
  const unsigned n = limbs_;
  WipedArray<Limb, kMaxLimbs + 2> t;
  memset(t, 0, sizeof(Limb) * (n + 2));
  for (unsigned i = 0; i < n; ++i) {
    Limb carry = 0;
    const Limb bi = b[i];
    for (unsigned j = 0; j < n; ++j) {
      Wide sum = static_cast<Wide>(a[j]) * bi + t[j] + carry;
      t[j] = static_cast<Limb>(sum);
      carry = static_cast<Limb>(sum >> 64);
    }
    Wide top = static_cast<Wide>(t[n]) + carry;
    t[n] = static_cast<Limb>(top);
    t[n + 1] = static_cast<Limb>(top >> 64);

    const Limb m = t[0] * inverse_;
    Wide sum = static_cast<Wide>(m) * modulus_[0] + t[0];
    carry = static_cast<Limb>(sum >> 64);
    for (unsigned j = 1; j < n; ++j) {
      sum = static_cast<Wide>(m) * modulus_[j] + t[j] + carry;
      t[j - 1] = static_cast<Limb>(sum);
      carry = static_cast<Limb>(sum >> 64);
    }
    top = static_cast<Wide>(t[n]) + carry;
    t[n - 1] = static_cast<Limb>(top);
    t[n] = t[n + 1] + static_cast<Limb>(top >> 64);
  }

  // t < 2d: one conditional subtraction gives the residue.
  WipedArray<Limb, kMaxLimbs> reduced;
  Limb borrow = 0;
  for (unsigned j = 0; j < n; ++j) {
    Wide difference = static_cast<Wide>(t[j]) - modulus_[j] - borrow;
    reduced[j] = static_cast<Limb>(difference);
    borrow = static_cast<Limb>(difference >> 64) & 1;
  }
  const bool keepT = t[n] < borrow;
  memcpy(out, keepT ? static_cast<const Limb*>(t) : static_cast<const Limb*>(reduced),
         sizeof(Limb) * n);
}

}  // namespace ovEBankCrypto
