// RSA key records, engine status codes and size limits of the string
// encryption engine.
//
// The records are byte-exact images of the key resources that calling modules
// carry: every number is big-endian and right-aligned in its field.
#ifndef EBANK_CRYPTO_INTERNAL_RSA_KEYS_H_
#define EBANK_CRYPTO_INTERNAL_RSA_KEYS_H_

#include <bit>
#include <cstdint>

namespace ovEBankCrypto {

static_assert(std::endian::native == std::endian::little,
              "the bit count of a key record is stored little-endian");

inline constexpr unsigned kMaxModulusBits = 1024;
inline constexpr unsigned kMaxModulusBytes = kMaxModulusBits / 8;  // 128
inline constexpr unsigned kMaxPrimeBytes = kMaxModulusBytes / 2;   // 64

// Engine status codes.
inline constexpr int RSAE_DATA = 0x0401;         // number out of range, block does not check
inline constexpr int RSAE_LEN = 0x0406;          // length does not fit the block length
inline constexpr int RSAE_NEED_RANDOM = 0x0408;  // generator not seeded

// PKCS #1 v1.5 blocks need 3 framing bytes and at least 8 padding bytes.
inline constexpr unsigned kBlockOverhead = 11;

#pragma pack(push, 1)
struct RsaPublicKey {
  std::uint16_t bits;  // length of the modulus in bits
  std::uint8_t modulus[kMaxModulusBytes];
  std::uint8_t exponent[kMaxModulusBytes];
};

struct RsaPrivateKey {
  std::uint16_t bits;
  std::uint8_t modulus[kMaxModulusBytes];
  std::uint8_t publicExponent[kMaxModulusBytes];
  std::uint8_t exponent[kMaxModulusBytes];
  std::uint8_t prime[2][kMaxPrimeBytes];          // p, q
  std::uint8_t primeExponent[2][kMaxPrimeBytes];  // d mod (p - 1), d mod (q - 1)
  std::uint8_t coefficient[kMaxPrimeBytes];       // q^-1 mod p
};

struct RsaKeyPair {
  RsaPublicKey publicKey;
  RsaPrivateKey privateKey;
};
#pragma pack(pop)

static_assert(sizeof(RsaPublicKey) == 258);
static_assert(sizeof(RsaPrivateKey) == 706);
static_assert(sizeof(RsaKeyPair) == 964);

// Block length k in bytes of a key with `bits` modulus bits.
constexpr unsigned BlockLength(std::uint16_t bits) {
  return (bits + 7u) / 8u;
}

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_RSA_KEYS_H_
