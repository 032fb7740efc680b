#include "ebank/crypto/montgomery.h"

#include <string.h>

#include <array>
#include <utility>

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

// Coarsely integrated operand scanning with the two inner loops fused: per
// limb of b, one row a * b[i] and one multiple m * d that clears the lowest
// limb are added in a single pass, which drops that limb. The limb count is
// a template parameter so that the compiler unrolls the passes.
template <unsigned N>
void MultiplyLimbs(Limb* out, const Limb* a, const Limb* b, const Limb* modulus, Limb inverse) {
  Limb t[N + 1] = {};
  for (unsigned i = 0; i < N; ++i) {
    const Limb bi = b[i];
    Wide row = static_cast<Wide>(a[0]) * bi + t[0];
    Limb rowCarry = static_cast<Limb>(row >> 64);
    const Limb m = static_cast<Limb>(row) * inverse;
    Wide reduce = static_cast<Wide>(m) * modulus[0] + static_cast<Limb>(row);
    Limb reduceCarry = static_cast<Limb>(reduce >> 64);
    for (unsigned j = 1; j < N; ++j) {
      row = static_cast<Wide>(a[j]) * bi + t[j] + rowCarry;
      rowCarry = static_cast<Limb>(row >> 64);
      reduce = static_cast<Wide>(m) * modulus[j] + static_cast<Limb>(row) + reduceCarry;
      reduceCarry = static_cast<Limb>(reduce >> 64);
      t[j - 1] = static_cast<Limb>(reduce);
    }
    const Wide top = static_cast<Wide>(t[N]) + rowCarry + reduceCarry;
    t[N - 1] = static_cast<Limb>(top);
    t[N] = static_cast<Limb>(top >> 64);
  }

  // t < 2d: one conditional subtraction gives the residue.
  Limb reduced[N];
  Limb borrow = 0;
  for (unsigned j = 0; j < N; ++j) {
    const Wide difference = static_cast<Wide>(t[j]) - modulus[j] - borrow;
    reduced[j] = static_cast<Limb>(difference);
    borrow = static_cast<Limb>(difference >> 64) & 1;
  }
  memcpy(out, t[N] < borrow ? t : reduced, sizeof(Limb) * N);
  explicit_bzero(t, sizeof t);
  explicit_bzero(reduced, sizeof reduced);
}

template <unsigned... N>
constexpr std::array<MontgomeryModulus::MultiplyFunction*, sizeof...(N) + 1> MultiplyTable(
    std::integer_sequence<unsigned, N...>) {
  return {nullptr, &MultiplyLimbs<N + 1>...};
}

constexpr auto kMultiply = MultiplyTable(std::make_integer_sequence<unsigned, kMaxLimbs>());

}  // namespace

bool MontgomeryModulus::Suits(const Digit* d, unsigned digits) {
  unsigned significant = bnDigits(d, digits);
  return significant > 0 && significant <= 2 * kMaxLimbs && (d[0] & 1) != 0;
}

MontgomeryModulus::MontgomeryModulus(const Digit* d, unsigned digits) {
  unsigned significant = bnDigits(d, digits);
  limbs_ = (significant + 1) / 2;
  multiply_ = kMultiply[limbs_];
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

void MontgomeryModulus::Multiply(Limb* out, const Limb* a, const Limb* b) const {
  multiply_(out, a, b, modulus_, inverse_);
}

}  // namespace ovEBankCrypto
