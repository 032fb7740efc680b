// The raw RSA operations of the engine against OpenSSL's unpadded ones on the
// same keys and blocks, for 512-, 768- and 1024-bit keys.
//
// The two sides do not do quite the same work. Both use the Chinese
// Remainder Theorem for the private operation. OpenSSL keeps its Montgomery
// constants per key from call to call, where the engine, which keeps no
// state, derives them on every call; on the other hand OpenSSL's private
// operation blinds the input, powers in constant time and checks its result
// with the public exponent, none of which the engine does.
#include <benchmark/benchmark.h>
#include <openssl/rsa.h>

#include <map>
#include <memory>

#include "ebank/crypto/internal/rsa_raw.h"
#include "ebank/crypto/testing/openssl_key.h"

namespace {

using ovEBankCrypto::testing::Bytes;
using ovEBankCrypto::testing::OpenSslKey;

struct Setup {
  std::unique_ptr<OpenSslKey> key;
  Bytes block;  // a random number below the modulus
};

const Setup& SetupFor(unsigned bits) {
  static std::map<unsigned, Setup> setups;
  Setup& setup = setups[bits];
  if (!setup.key) {
    setup.key = std::make_unique<OpenSslKey>(bits);
    setup.block = ovEBankCrypto::testing::RandomBelowModulus(setup.key->PublicRecord(),
                                                             setup.key->BlockLength());
  }
  return setup;
}

template <typename Operation, typename Key>
void RunOurs(benchmark::State& state, Operation operation, const Key& key, const Bytes& block) {
  std::uint8_t output[ovEBankCrypto::kMaxModulusBytes];
  unsigned length = 0;
  for (auto _ : state) {
    if (operation(output, &length, block.data(), static_cast<unsigned>(block.size()), key) != 0)
      state.SkipWithError("operation failed");
    benchmark::DoNotOptimize(output);
  }
}

using OpenSslOperation = int (*)(EVP_PKEY_CTX*, unsigned char*, size_t*, const unsigned char*,
                                 size_t);

void RunOpenSsl(benchmark::State& state, int (*init)(EVP_PKEY_CTX*), OpenSslOperation operation,
                const Setup& setup) {
  EVP_PKEY_CTX* context = EVP_PKEY_CTX_new(setup.key->Key(), nullptr);
  init(context);
  EVP_PKEY_CTX_set_rsa_padding(context, RSA_NO_PADDING);
  std::uint8_t output[ovEBankCrypto::kMaxModulusBytes];
  for (auto _ : state) {
    size_t length = sizeof output;
    if (operation(context, output, &length, setup.block.data(), setup.block.size()) != 1)
      state.SkipWithError("operation failed");
    benchmark::DoNotOptimize(output);
  }
  EVP_PKEY_CTX_free(context);
}

void BM_PrivateOp_Ebank(benchmark::State& state) {
  const Setup& setup = SetupFor(static_cast<unsigned>(state.range(0)));
  RunOurs(state, ovEBankCrypto::rsaPrivateOp, setup.key->PrivateRecord(), setup.block);
}

void BM_PrivateOp_OpenSsl(benchmark::State& state) {
  RunOpenSsl(state, EVP_PKEY_decrypt_init, EVP_PKEY_decrypt,
             SetupFor(static_cast<unsigned>(state.range(0))));
}

void BM_PublicOp_Ebank(benchmark::State& state) {
  const Setup& setup = SetupFor(static_cast<unsigned>(state.range(0)));
  RunOurs(state, ovEBankCrypto::rsaPublicOp, setup.key->PublicRecord(), setup.block);
}

void BM_PublicOp_OpenSsl(benchmark::State& state) {
  RunOpenSsl(state, EVP_PKEY_encrypt_init, EVP_PKEY_encrypt,
             SetupFor(static_cast<unsigned>(state.range(0))));
}

BENCHMARK(BM_PrivateOp_Ebank)->Arg(512)->Arg(768)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrivateOp_OpenSsl)->Arg(512)->Arg(768)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PublicOp_Ebank)->Arg(512)->Arg(768)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PublicOp_OpenSsl)->Arg(512)->Arg(768)->Arg(1024)->Unit(benchmark::kMicrosecond);

}  // namespace
