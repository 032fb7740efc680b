#include "tools/ebank/rsa_key_generator.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/rsa.h>

#include <cstring>
#include <memory>

#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

using ovEBankCrypto::kMaxModulusBytes;
using ovEBankCrypto::kMaxPrimeBytes;

struct KeyDeleter {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};

// Writes the named number of the key right-aligned and big-endian into a
// field of `size` bytes; the number is wiped when freed.
void ExportNumber(EVP_PKEY* key, const char* name, std::uint8_t* field, int size) {
  BIGNUM* number = nullptr;
  const bool exported =
      EVP_PKEY_get_bn_param(key, name, &number) == 1 && BN_bn2binpad(number, field, size) == size;
  BN_clear_free(number);
  if (!exported) throw ToolError(std::string("cannot export the key number ") + name);
}

}  // namespace

void GenerateKeyPair(unsigned bits, ovEBankCrypto::RsaKeyPair& pair) {
  if (bits > ovEBankCrypto::kMaxModulusBits)
    throw ToolError("the key records hold at most 1024 bits");
  const std::unique_ptr<EVP_PKEY, KeyDeleter> key(EVP_RSA_gen(bits));
  if (key == nullptr) throw ToolError("OpenSSL could not generate the key pair");
  ovEBankCrypto::RsaPublicKey& pub = pair.publicKey;
  ovEBankCrypto::RsaPrivateKey& priv = pair.privateKey;
  pub.bits = priv.bits = static_cast<std::uint16_t>(bits);
  ExportNumber(key.get(), OSSL_PKEY_PARAM_RSA_N, pub.modulus, kMaxModulusBytes);
  ExportNumber(key.get(), OSSL_PKEY_PARAM_RSA_E, pub.exponent, kMaxModulusBytes);
  std::memcpy(priv.modulus, pub.modulus, kMaxModulusBytes);
  std::memcpy(priv.publicExponent, pub.exponent, kMaxModulusBytes);
  ExportNumber(key.get(), OSSL_PKEY_PARAM_RSA_D, priv.exponent, kMaxModulusBytes);
  ExportNumber(key.get(), OSSL_PKEY_PARAM_RSA_FACTOR1, priv.prime[0], kMaxPrimeBytes);
  ExportNumber(key.get(), OSSL_PKEY_PARAM_RSA_FACTOR2, priv.prime[1], kMaxPrimeBytes);
  ExportNumber(key.get(), OSSL_PKEY_PARAM_RSA_EXPONENT1, priv.primeExponent[0], kMaxPrimeBytes);
  ExportNumber(key.get(), OSSL_PKEY_PARAM_RSA_EXPONENT2, priv.primeExponent[1], kMaxPrimeBytes);
  ExportNumber(key.get(), OSSL_PKEY_PARAM_RSA_COEFFICIENT1, priv.coefficient, kMaxPrimeBytes);
}

}  // namespace ebank::tool
