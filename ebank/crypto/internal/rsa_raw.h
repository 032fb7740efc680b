// The raw RSA operations: a block as a number, raised to the public exponent,
// or to the private exponent by the Chinese Remainder Theorem.
//
// Outputs are caller buffers of at least k bytes (k = key block length).
#ifndef EBANK_CRYPTO_INTERNAL_RSA_RAW_H_
#define EBANK_CRYPTO_INTERNAL_RSA_RAW_H_

#include <cstdint>

#include "ebank/crypto/internal/rsa_keys.h"

namespace ovEBankCrypto {

// output = input^e mod n as k bytes. RSAE_DATA when the input is not below
// the modulus, RSAE_LEN when the key's block length is 0 or above 128 bytes or
// the input is longer than it.
int rsaPublicOp(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                unsigned inputLength, const RsaPublicKey& key);
// output = input^d mod n as k bytes, computed modulo p and q. Status as above.
int rsaPrivateOp(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                 unsigned inputLength, const RsaPrivateKey& key);

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_RSA_RAW_H_
