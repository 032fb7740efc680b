#include "ebank/crypto/internal/rsa_raw.h"

#include "ebank/crypto/internal/natural_number.h"
#include "ebank/crypto/internal/wiped_array.h"

namespace ovEBankCrypto {
namespace {

using Number = WipedArray<Digit, kMaxDigits>;

constexpr unsigned kPrimeDigits = kMaxPrimeBytes / 4;

// Reads the input and the modulus; fails unless the input fits the key's
// block and lies below the modulus.
int LoadOperands(Digit* value, Digit* modulus, unsigned* blockLength, const std::uint8_t* input,
                 unsigned inputLength, std::uint16_t bits, const std::uint8_t* modulusBytes) {
  const unsigned k = BlockLength(bits);
  if (k == 0 || k > kMaxModulusBytes || inputLength > k) return RSAE_LEN;
  bnFromBytes(value, kMaxDigits, input, inputLength);
  bnFromBytes(modulus, kMaxDigits, modulusBytes, kMaxModulusBytes);
  if (bnCompare(value, modulus, kMaxDigits) >= 0) return RSAE_DATA;
  *blockLength = k;
  return 0;
}

}  // namespace

int rsaPublicOp(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                unsigned inputLength, const RsaPublicKey& key) {
  Number m, n, e, c;
  unsigned k = 0;
  if (int status = LoadOperands(m, n, &k, input, inputLength, key.bits, key.modulus)) return status;
  bnFromBytes(e, kMaxDigits, key.exponent, kMaxModulusBytes);
  const unsigned digits = bnDigits(n, kMaxDigits);
  bnModPower(c, m, e, bnDigits(e, kMaxDigits), n, digits);
  bnToBytes(output, k, c, digits);
  *outputLength = k;
  return 0;
}

int rsaPrivateOp(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                 unsigned inputLength, const RsaPrivateKey& key) {
  Number c, n, p, q, dP, dQ, qInv, cP, cQ, mP, mQ, t;
  unsigned k = 0;
  if (int status = LoadOperands(c, n, &k, input, inputLength, key.bits, key.modulus)) return status;
  bnFromBytes(p, kPrimeDigits, key.prime[0], kMaxPrimeBytes);
  bnFromBytes(q, kPrimeDigits, key.prime[1], kMaxPrimeBytes);
  bnFromBytes(dP, kPrimeDigits, key.primeExponent[0], kMaxPrimeBytes);
  bnFromBytes(dQ, kPrimeDigits, key.primeExponent[1], kMaxPrimeBytes);
  bnFromBytes(qInv, kPrimeDigits, key.coefficient, kMaxPrimeBytes);
  // Both primes are worked on with p's digit count; a well-formed key never
  // has a longer q.
  const unsigned pd = bnDigits(p, kPrimeDigits);
  const unsigned cd = bnDigits(c, kMaxDigits);

  bnMod(cP, c, cd, p, pd);
  bnMod(cQ, c, cd, q, pd);
  bnModPower(mP, cP, dP, pd, p, pd);
  bnModPower(mQ, cQ, dQ, pd, q, pd);

  if (bnCompare(mP, mQ, pd) >= 0) {
    bnSub(t, mP, mQ, pd);
  } else {
    bnSub(t, mQ, mP, pd);
    bnSub(t, p, t, pd);
  }
  bnModMultiply(t, t, qInv, p, pd);
  // t * q + mQ < p * q = n, so 2 * pd digits and one carry digit hold it.
  Number product;
  bnAssignZero(product, kMaxDigits);
  bnMultiply(product, t, q, pd);
  bnAssignZero(mQ + pd, kMaxDigits - pd);
  product[2 * pd] = bnAdd(product, product, mQ, 2 * pd);

  bnToBytes(output, k, product, 2 * pd + 1);
  *outputLength = k;
  return 0;
}

}  // namespace ovEBankCrypto
