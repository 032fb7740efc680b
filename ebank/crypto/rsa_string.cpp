#include "ebank/crypto/rsa_string.h"

#include <string.h>

#include "ebank/core/copy_bstr.h"
#include "ebank/crypto/internal/hex_text.h"
#include "ebank/crypto/internal/key_resource.h"
#include "ebank/crypto/internal/random_generator.h"
#include "ebank/crypto/internal/rsa_blocks.h"
#include "ebank/crypto/internal/rsa_keys.h"
#include "ebank/crypto/internal/wiped.h"
#include "ebank/crypto/internal/wiped_array.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ovEBankCrypto {
namespace {

using Text = ddCOM::BString<wchar_t>;

constexpr unsigned kMaxPlainUnits = 100;
constexpr unsigned kMaxCipherBytes = 100;
constexpr unsigned kPlainBufferBytes = 1024;

// Which half of the key pair a call uses.
enum class Half { kPublic, kPrivate };

// The key pair of one call: zero-filled, one half loaded from the resource,
// zero-filled again when the call ends.
class CallKeys {
 public:
  CallKeys(Half half, HINSTANCE module, const char* name) {
    if (half == Half::kPublic) {
      LoadKeyRecord(&pair_->publicKey, sizeof pair_->publicKey, module, name);
    } else {
      LoadKeyRecord(&pair_->privateKey, sizeof pair_->privateKey, module, name);
    }
  }
  const RsaPublicKey& Public() { return pair_->publicKey; }
  const RsaPrivateKey& Private() { return pair_->privateKey; }

 private:
  Wiped<RsaKeyPair> pair_;
};

// Overwrites a plain text with zeros before it is freed or replaced, so the
// caller's secret does not stay behind in freed memory.
void WipeText(Text& text) {
  const BSTR bstr = *text.ByRef();
  if (bstr != nullptr) explicit_bzero(bstr, SysStringByteLen(bstr));
}

// The narrow copy of a text: the low byte of every unit and a terminator
// (a null text gives just the terminator). `buffer` holds at least
// Length() + 1 bytes.
void Narrow(Text& text, char* buffer) {
  ddCOM::CopyBSTRToCharBuf(*text.ByRef(), buffer, 0);
}

// Writes the cipher bytes as hexadecimal text, or empties the text when the
// engine failed or the block does not fit the 200-character cipher text.
void StoreCipher(Text& text, int status, const std::uint8_t* cipher, unsigned length) {
  if (status != 0 || length > kMaxCipherBytes) return text.Empty();
  WipedArray<char, 2 * kMaxCipherBytes + 1> hex;
  EncodeHex(hex, cipher, length);
  text = static_cast<const char*>(hex);
}

// Plain bytes back into the text, up to their first 0 byte; emptied on
// failure.
void StorePlain(Text& text, int status, std::uint8_t* plain, unsigned length) {
  if (status != 0) return text.Empty();
  plain[length] = 0;
  text = reinterpret_cast<const char*>(plain);
}

template <typename Encrypt>
LONG EncryptText(Text& text, Half half, HINSTANCE module, const char* name, Encrypt encrypt) {
  if (text.Length() > kMaxPlainUnits) {
    WipeText(text);
    text.Empty();
    return kTextTooLong;
  }
  CallKeys keys(half, module, name);
  WipedArray<char, kPlainBufferBytes> plain;
  Narrow(text, plain);
  WipeText(text);
  WipedArray<std::uint8_t, kMaxModulusBytes> cipher;
  unsigned cipherLength = 0;
  const int status = encrypt(keys, cipher, &cipherLength,
                             reinterpret_cast<const std::uint8_t*>(static_cast<char*>(plain)),
                             static_cast<unsigned>(strlen(plain)));
  StoreCipher(text, status, cipher, cipherLength);
  return 0;
}

template <typename Decrypt>
LONG DecryptText(Text& text, Half half, HINSTANCE module, const char* name, Decrypt decrypt) {
  CallKeys keys(half, module, name);
  const unsigned length = text.Length();
  if (length / 2 > kMaxCipherBytes) {
    text.Empty();
    return kTextTooLong;
  }
  WipedArray<char, 2 * kMaxCipherBytes + 2> hex;
  Narrow(text, hex);
  WipedArray<std::uint8_t, kMaxCipherBytes> cipher;
  DecodeHex(cipher, hex, length);
  WipedArray<std::uint8_t, kMaxModulusBytes + 1> plain;
  unsigned plainLength = 0;
  const int status = decrypt(keys, plain, &plainLength, cipher, length / 2);
  StorePlain(text, status, plain, plainLength);
  return 0;
}

}  // namespace

LONG rsaEncryptPublic(Text& text, HINSTANCE module, const char* resourceName) {
  return EncryptText(text, Half::kPublic, module, resourceName,
                     [](CallKeys& keys, std::uint8_t* out, unsigned* outLength,
                        const std::uint8_t* in, unsigned inLength) {
                       Wiped<RandomState> random;
                       randomSeedFromClock(*random);
                       return padAndEncryptPublic(out, outLength, in, inLength, keys.Public(),
                                                  *random);
                     });
}

LONG rsaEncryptPrivate(Text& text, HINSTANCE module, const char* resourceName) {
  return EncryptText(text, Half::kPrivate, module, resourceName,
                     [](CallKeys& keys, std::uint8_t* out, unsigned* outLength,
                        const std::uint8_t* in, unsigned inLength) {
                       return padAndEncryptPrivate(out, outLength, in, inLength, keys.Private());
                     });
}

LONG rsaDecryptPrivate(Text& text, HINSTANCE module, const char* resourceName) {
  return DecryptText(text, Half::kPrivate, module, resourceName,
                     [](CallKeys& keys, std::uint8_t* out, unsigned* outLength,
                        const std::uint8_t* in, unsigned inLength) {
                       return decryptPrivateAndUnpad(out, outLength, in, inLength, keys.Private());
                     });
}

LONG rsaDecryptPublic(Text& text, HINSTANCE module, const char* resourceName) {
  return DecryptText(text, Half::kPublic, module, resourceName,
                     [](CallKeys& keys, std::uint8_t* out, unsigned* outLength,
                        const std::uint8_t* in, unsigned inLength) {
                       return decryptPublicAndUnpad(out, outLength, in, inLength, keys.Public());
                     });
}

LONG GenerateRandomString(Text& text) {
  Wiped<RandomState> random;
  randomSeedFromClock(*random);
  randomStir(*random);
  WipedArray<char, 2 * kMd5DigestBytes + 1> hex;
  EncodeHex(hex, random->output, kMd5DigestBytes);
  text = static_cast<const char*>(hex);
  return 0;
}

}  // namespace ovEBankCrypto
