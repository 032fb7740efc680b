// Generates an RSA key pair with OpenSSL and converts it into the engine's
// public and private key records.
#ifndef EBANK_TOOLS_EBANK_RSA_KEY_GENERATOR_H_
#define EBANK_TOOLS_EBANK_RSA_KEY_GENERATOR_H_

#include "ebank/crypto/internal/rsa_keys.h"

namespace ebank::tool {

// A fresh key pair with a modulus of `bits` bits (at most 1024) into `pair`;
// throws ToolError when OpenSSL fails.
void GenerateKeyPair(unsigned bits, ovEBankCrypto::RsaKeyPair& pair);

}  // namespace ebank::tool

#endif  // EBANK_TOOLS_EBANK_RSA_KEY_GENERATOR_H_
