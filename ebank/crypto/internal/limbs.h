// 64-bit limbs, the word of the engine's products and divisions.
//
// Numbers cross the engine's interfaces as 32-bit digits; the inner loops
// pack them two digits to a limb, so that each machine multiplication does
// four times the work.
#ifndef EBANK_CRYPTO_INTERNAL_LIMBS_H_
#define EBANK_CRYPTO_INTERNAL_LIMBS_H_

#include <cstdint>

#if defined(__x86_64__)
#include <x86intrin.h>
#endif

#include "ebank/crypto/internal/natural_number.h"

namespace ovEBankCrypto {

using Limb = std::uint64_t;
using WideLimb = unsigned __int128;

// a + b + carry; the carry out replaces `carry`. On x86-64 the intrinsic
// keeps the carry in the flags, so that a chain becomes one add and adcs.
inline Limb AddWithCarry(Limb a, Limb b, unsigned char& carry) {
#if defined(__x86_64__)
  unsigned long long sum;
  carry = _addcarry_u64(carry, a, b, &sum);
  return sum;
#else
  const WideLimb sum = static_cast<WideLimb>(a) + b + carry;
  carry = static_cast<unsigned char>(sum >> 64);
  return static_cast<Limb>(sum);
#endif
}

// a - b - borrow; the borrow out replaces `borrow`.
inline Limb SubtractWithBorrow(Limb a, Limb b, unsigned char& borrow) {
#if defined(__x86_64__)
  unsigned long long difference;
  borrow = _subborrow_u64(borrow, a, b, &difference);
  return difference;
#else
  const WideLimb difference = static_cast<WideLimb>(a) - b - borrow;
  borrow = static_cast<unsigned char>(difference >> 64) & 1;
  return static_cast<Limb>(difference);
#endif
}

// Packs `digits` digits of x into `limbs` limbs; missing digits become 0.
void DigitsToLimbs(Limb* out, unsigned limbs, const Digit* x, unsigned digits);
// Unpacks `limbs` limbs of x into `digits` digits; missing limbs become 0.
void LimbsToDigits(Digit* out, unsigned digits, const Limb* x, unsigned limbs);

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_LIMBS_H_
