// MD5 throughput of the engine's digest against OpenSSL's on 1 KiB and 64 KiB
// messages.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <vector>

#include "ebank/crypto/internal/md5.h"

namespace {

std::vector<std::uint8_t> Message(benchmark::State& state) {
  return std::vector<std::uint8_t>(static_cast<std::size_t>(state.range(0)), 0xA5);
}

void BM_Md5_Ebank(benchmark::State& state) {
  const auto message = Message(state);
  std::uint8_t digest[ovEBankCrypto::kMd5DigestBytes];
  for (auto _ : state) {
    ovEBankCrypto::Md5::Digest(message.data(), message.size(), digest);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}

void BM_Md5_OpenSsl(benchmark::State& state) {
  const auto message = Message(state);
  EVP_MD* md5 = EVP_MD_fetch(nullptr, "MD5", nullptr);
  EVP_MD_CTX* context = EVP_MD_CTX_new();
  std::uint8_t digest[EVP_MAX_MD_SIZE];
  unsigned length = 0;
  for (auto _ : state) {
    EVP_DigestInit_ex(context, md5, nullptr);
    EVP_DigestUpdate(context, message.data(), message.size());
    EVP_DigestFinal_ex(context, digest, &length);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
  EVP_MD_CTX_free(context);
  EVP_MD_free(md5);
}

BENCHMARK(BM_Md5_Ebank)->Arg(1024)->Arg(64 * 1024);
BENCHMARK(BM_Md5_OpenSsl)->Arg(1024)->Arg(64 * 1024);

}  // namespace
