// RSA encryption of short strings with keys carried as RCDATA resources of a
// calling module, and random strings.
//
// The four RSA functions work in place: plain text in, lowercase hexadecimal
// cipher text out, or the reverse. Each UTF-16 unit of a plain text crosses
// as its low byte, so characters up to U+00FF survive a round trip. They
// return 0 when the call ran through, also when the key was missing or the
// RSA operation failed (the text is then null), and kTextTooLong when the
// text is too long (the text is then null as well).
#ifndef EBANK_CRYPTO_RSA_STRING_H_
#define EBANK_CRYPTO_RSA_STRING_H_

#include "ebank/core/bstring.h"
#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

namespace ovEBankCrypto {

// The result for a plain text of more than 100 units or a cipher text of more
// than 100 bytes (201 characters).
inline constexpr LONG kTextTooLong = 12;

// Encrypts with the public key in a type 02 block (random padding).
EBANK_EXPORT LONG rsaEncryptPublic(ddCOM::BString<wchar_t>& text, HINSTANCE module,
                                   const char* resourceName);
// Decrypts a type 02 cipher text with the private key.
EBANK_EXPORT LONG rsaDecryptPrivate(ddCOM::BString<wchar_t>& text, HINSTANCE module,
                                    const char* resourceName);
// Encrypts with the private key in a type 01 block (0xFF padding).
EBANK_EXPORT LONG rsaEncryptPrivate(ddCOM::BString<wchar_t>& text, HINSTANCE module,
                                    const char* resourceName);
// Decrypts a type 01 cipher text with the public key.
EBANK_EXPORT LONG rsaDecryptPublic(ddCOM::BString<wchar_t>& text, HINSTANCE module,
                                   const char* resourceName);
// Replaces the text with 32 random lowercase hexadecimal digits; returns 0.
EBANK_EXPORT LONG GenerateRandomString(ddCOM::BString<wchar_t>& text);

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_RSA_STRING_H_
