// Cipher bytes as lowercase hexadecimal text, high nibble first, and the
// lenient decoding of such text.
#ifndef EBANK_CRYPTO_INTERNAL_HEX_TEXT_H_
#define EBANK_CRYPTO_INTERNAL_HEX_TEXT_H_

#include <cstdint>

namespace ovEBankCrypto {

// Writes 2 * length digits of "0123456789abcdef" and a terminating 0 byte.
void EncodeHex(char* text, const std::uint8_t* bytes, unsigned length);

// Decodes `length` characters into length / 2 bytes (an odd last character is
// ignored). A character outside "0123456789abcdef", an upper-case digit
// included, counts as 0.
void DecodeHex(std::uint8_t* bytes, const char* text, unsigned length);

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_HEX_TEXT_H_
