#include "ebank/crypto/testing/openssl_key.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/rand.h>
#include <openssl/rsa.h>

#include <cstring>
#include <stdexcept>

namespace ovEBankCrypto::testing {
namespace {

// Writes the named number of the key right-aligned into a big-endian field.
void ExportNumber(EVP_PKEY* key, const char* name, std::uint8_t* field, int size) {
  BIGNUM* number = nullptr;
  if (EVP_PKEY_get_bn_param(key, name, &number) != 1 || BN_bn2binpad(number, field, size) != size)
    throw std::runtime_error(name);
  BN_clear_free(number);
}

using Operation = int (*)(EVP_PKEY_CTX*, unsigned char*, size_t*, const unsigned char*, size_t);
using Setup = int (*)(EVP_PKEY_CTX*);

std::optional<Bytes> Run(EVP_PKEY* key, Setup setup, Operation operation, int padding,
                         const Bytes& input) {
  EVP_PKEY_CTX* context = EVP_PKEY_CTX_new(key, nullptr);
  std::optional<Bytes> result;
  Bytes output(EVP_PKEY_get_size(key));
  size_t length = output.size();
  if (setup(context) == 1 && EVP_PKEY_CTX_set_rsa_padding(context, padding) == 1 &&
      operation(context, output.data(), &length, input.data(), input.size()) == 1) {
    output.resize(length);
    result = output;
  }
  EVP_PKEY_CTX_free(context);
  return result;
}

}  // namespace

OpenSslKey::OpenSslKey(unsigned bits) {
  key_ = EVP_RSA_gen(bits);
  if (key_ == nullptr) throw std::runtime_error("RSA key generation failed");
  publicKey_.bits = static_cast<std::uint16_t>(bits);
  privateKey_.bits = static_cast<std::uint16_t>(bits);
  ExportNumber(key_, OSSL_PKEY_PARAM_RSA_N, publicKey_.modulus, kMaxModulusBytes);
  ExportNumber(key_, OSSL_PKEY_PARAM_RSA_E, publicKey_.exponent, kMaxModulusBytes);
  std::memcpy(privateKey_.modulus, publicKey_.modulus, kMaxModulusBytes);
  std::memcpy(privateKey_.publicExponent, publicKey_.exponent, kMaxModulusBytes);
  ExportNumber(key_, OSSL_PKEY_PARAM_RSA_D, privateKey_.exponent, kMaxModulusBytes);
  ExportNumber(key_, OSSL_PKEY_PARAM_RSA_FACTOR1, privateKey_.prime[0], kMaxPrimeBytes);
  ExportNumber(key_, OSSL_PKEY_PARAM_RSA_FACTOR2, privateKey_.prime[1], kMaxPrimeBytes);
  ExportNumber(key_, OSSL_PKEY_PARAM_RSA_EXPONENT1, privateKey_.primeExponent[0], kMaxPrimeBytes);
  ExportNumber(key_, OSSL_PKEY_PARAM_RSA_EXPONENT2, privateKey_.primeExponent[1], kMaxPrimeBytes);
  ExportNumber(key_, OSSL_PKEY_PARAM_RSA_COEFFICIENT1, privateKey_.coefficient, kMaxPrimeBytes);
}

OpenSslKey::~OpenSslKey() {
  EVP_PKEY_free(key_);
}

unsigned OpenSslKey::BlockLength() const {
  return ovEBankCrypto::BlockLength(publicKey_.bits);
}

std::optional<Bytes> OpenSslKey::PublicEncrypt(const Bytes& input, int padding) const {
  return Run(key_, EVP_PKEY_encrypt_init, EVP_PKEY_encrypt, padding, input);
}

std::optional<Bytes> OpenSslKey::PrivateDecrypt(const Bytes& input, int padding) const {
  return Run(key_, EVP_PKEY_decrypt_init, EVP_PKEY_decrypt, padding, input);
}

std::optional<Bytes> OpenSslKey::PrivateEncrypt(const Bytes& input) const {
  return Run(key_, EVP_PKEY_sign_init, EVP_PKEY_sign, RSA_PKCS1_PADDING, input);
}

std::optional<Bytes> OpenSslKey::PublicDecrypt(const Bytes& input) const {
  return Run(key_, EVP_PKEY_verify_recover_init, EVP_PKEY_verify_recover, RSA_PKCS1_PADDING, input);
}

Bytes RandomBytes(std::size_t length) {
  Bytes bytes(length);
  if (length > 0 && RAND_bytes(bytes.data(), static_cast<int>(length)) != 1)
    throw std::runtime_error("RAND_bytes failed");
  return bytes;
}

Bytes RandomBelowModulus(const RsaPublicKey& key, unsigned length) {
  const std::uint8_t* modulus = key.modulus + kMaxModulusBytes - length;
  Bytes bytes = RandomBytes(length);
  // Below the modulus when the top byte is below the modulus's top byte.
  bytes[0] = static_cast<std::uint8_t>(bytes[0] % modulus[0]);
  return bytes;
}

}  // namespace ovEBankCrypto::testing
