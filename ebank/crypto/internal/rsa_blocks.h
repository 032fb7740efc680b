// PKCS #1 v1.5 blocks (RFC 2313) around the raw RSA operations.
//
// Type 02 blocks (random non-zero padding) are encrypted with the public key
// and checked after private decryption; type 01 blocks (0xFF padding) are
// encrypted with the private key and checked after public decryption.
// Outputs are caller buffers of at least k bytes; a message is at most k - 11
// bytes long.
#ifndef EBANK_CRYPTO_INTERNAL_RSA_BLOCKS_H_
#define EBANK_CRYPTO_INTERNAL_RSA_BLOCKS_H_

#include <cstdint>

#include "ebank/crypto/internal/random_generator.h"
#include "ebank/crypto/internal/rsa_keys.h"

namespace ovEBankCrypto {

int padAndEncryptPublic(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                        unsigned inputLength, const RsaPublicKey& key, RandomState& random);
int padAndEncryptPrivate(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                         unsigned inputLength, const RsaPrivateKey& key);
int decryptPublicAndUnpad(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                          unsigned inputLength, const RsaPublicKey& key);
int decryptPrivateAndUnpad(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                           unsigned inputLength, const RsaPrivateKey& key);

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_RSA_BLOCKS_H_
