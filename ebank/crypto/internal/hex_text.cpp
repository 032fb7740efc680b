#include "ebank/crypto/internal/hex_text.h"

namespace ovEBankCrypto {
namespace {

constexpr char kDigits[] = "0123456789abcdef";

unsigned DigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  return 0;
}

}  // namespace

void EncodeHex(char* text, const std::uint8_t* bytes, unsigned length) {
  for (unsigned i = 0; i < length; ++i) {
    text[2 * i] = kDigits[bytes[i] >> 4];
    text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  text[2 * length] = '\0';
}

void DecodeHex(std::uint8_t* bytes, const char* text, unsigned length) {
  for (unsigned i = 0; i < length / 2; ++i)
    bytes[i] =
        static_cast<std::uint8_t>(16 * DigitValue(text[2 * i]) + DigitValue(text[2 * i + 1]));
}

}  // namespace ovEBankCrypto
