// Fixed-size natural numbers for the RSA engine.
//
// A number is an array of 32-bit digits, least significant digit first; every
// operation takes the count of digits to work on and uses only its own stack
// frame, so nothing is ever allocated and every temporary can be wiped.
#ifndef EBANK_CRYPTO_INTERNAL_NATURAL_NUMBER_H_
#define EBANK_CRYPTO_INTERNAL_NATURAL_NUMBER_H_

#include <cstdint>

#include "ebank/crypto/internal/rsa_keys.h"

namespace ovEBankCrypto {

using Digit = std::uint32_t;

inline constexpr unsigned kDigitBits = 32;
// Digits of the largest number (a 1024-bit modulus plus one spare digit).
inline constexpr unsigned kMaxDigits = kMaxModulusBytes / 4 + 1;  // 33
// Digits of a product of two such numbers.
inline constexpr unsigned kMaxProductDigits = 2 * kMaxDigits;  // 66

// Reads `length` big-endian bytes into `digits` digits of `a`: the last byte
// is the lowest byte of digit 0; missing digits become 0, surplus leading
// bytes are ignored.
void bnFromBytes(Digit* a, unsigned digits, const std::uint8_t* bytes, unsigned length);
// Writes `digits` digits of `a` as `length` big-endian bytes: missing leading
// bytes become 0, digits that do not fit are dropped.
void bnToBytes(std::uint8_t* bytes, unsigned length, const Digit* a, unsigned digits);

// Number of digits up to and including the highest non-zero one.
unsigned bnDigits(const Digit* a, unsigned digits);
// Sign of a - b.
int bnCompare(const Digit* a, const Digit* b, unsigned digits);
void bnAssignZero(Digit* a, unsigned digits);
// a = 1.
void bnAssignOne(Digit* a, unsigned digits);
void bnCopy(Digit* a, const Digit* b, unsigned digits);

// a = b + c; returns the carry out.
Digit bnAdd(Digit* a, const Digit* b, const Digit* c, unsigned digits);
// a = b - c; returns the borrow out.
Digit bnSub(Digit* a, const Digit* b, const Digit* c, unsigned digits);
// a = b << bits (bits < 32); returns the bits shifted out at the top.
Digit bnShiftLeft(Digit* a, const Digit* b, unsigned bits, unsigned digits);
// a = b >> bits (bits < 32); returns the bits shifted out at the bottom,
// left-aligned in the returned digit.
Digit bnShiftRight(Digit* a, const Digit* b, unsigned bits, unsigned digits);

// a (2 * digits digits) = b * c. `digits` is at most kMaxDigits.
void bnMultiply(Digit* a, const Digit* b, const Digit* c, unsigned digits);
// Long division of c (cDigits <= kMaxProductDigits) by d (dDigits <= kMaxDigits):
// quotient q (cDigits digits) and remainder r (dDigits digits); either output
// may be null. A zero divisor gives zero outputs.
void bnDivide(Digit* q, Digit* r, const Digit* c, unsigned cDigits, const Digit* d,
              unsigned dDigits);
// a (dDigits digits) = b mod d.
void bnMod(Digit* a, const Digit* b, unsigned bDigits, const Digit* d, unsigned dDigits);
// a = b * c mod d, all of `digits` digits.
void bnModMultiply(Digit* a, const Digit* b, const Digit* c, const Digit* d, unsigned digits);
// a = b^c mod d, a, b and d of `digits` digits, c of cDigits digits. An
// exponent of 0 gives 1.
void bnModPower(Digit* a, const Digit* b, const Digit* c, unsigned cDigits, const Digit* d,
                unsigned digits);

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_NATURAL_NUMBER_H_
