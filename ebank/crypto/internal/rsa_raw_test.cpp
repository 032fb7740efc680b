#include "ebank/crypto/internal/rsa_raw.h"

#include <gtest/gtest.h>
#include <openssl/rsa.h>

#include <cstring>

#include "ebank/crypto/testing/openssl_key.h"

namespace ovEBankCrypto {
namespace {

using testing::Bytes;
using testing::OpenSslKey;

Bytes Public(const RsaPublicKey& key, const Bytes& input, int* status) {
  Bytes output(kMaxModulusBytes);
  unsigned length = 0;
  *status =
      rsaPublicOp(output.data(), &length, input.data(), static_cast<unsigned>(input.size()), key);
  output.resize(*status == 0 ? length : 0);
  return output;
}

Bytes Private(const RsaPrivateKey& key, const Bytes& input, int* status) {
  Bytes output(kMaxModulusBytes);
  unsigned length = 0;
  *status =
      rsaPrivateOp(output.data(), &length, input.data(), static_cast<unsigned>(input.size()), key);
  output.resize(*status == 0 ? length : 0);
  return output;
}

class RsaRawTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(RsaRawTest, AgreesWithOpenSslUnpaddedOperations) {
  const OpenSslKey key(GetParam());
  const unsigned k = key.BlockLength();
  for (int round = 0; round < 20; ++round) {
    const Bytes input = testing::RandomBelowModulus(key.PublicRecord(), k);
    int status = -1;
    const Bytes ours = Public(key.PublicRecord(), input, &status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(ours, key.PublicEncrypt(input, RSA_NO_PADDING));

    const Bytes decrypted = Private(key.PrivateRecord(), input, &status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(decrypted, key.PrivateDecrypt(input, RSA_NO_PADDING));
    ASSERT_EQ(Public(key.PublicRecord(), decrypted, &status), input) << "the pair inverts";
  }
  // A short input is a number with leading zero bytes; the output is k bytes.
  int status = -1;
  Bytes shortInput = {0x00, 0x02};
  Bytes padded(k, 0);
  padded[k - 1] = 0x02;
  EXPECT_EQ(Public(key.PublicRecord(), shortInput, &status),
            key.PublicEncrypt(padded, RSA_NO_PADDING));
  EXPECT_EQ(status, 0);
}

TEST_P(RsaRawTest, RefusesInputsNotBelowTheModulusOrLongerThanTheBlock) {
  const OpenSslKey key(GetParam());
  const unsigned k = key.BlockLength();
  const std::uint8_t* modulus = key.PublicRecord().modulus + kMaxModulusBytes - k;
  Bytes input(modulus, modulus + k);
  int status = 0;
  Public(key.PublicRecord(), input, &status);
  EXPECT_EQ(status, RSAE_DATA);
  Private(key.PrivateRecord(), input, &status);
  EXPECT_EQ(status, RSAE_DATA);
  input.insert(input.begin(), 0x00);
  Public(key.PublicRecord(), input, &status);
  EXPECT_EQ(status, RSAE_LEN);
  Private(key.PrivateRecord(), input, &status);
  EXPECT_EQ(status, RSAE_LEN);
}

INSTANTIATE_TEST_SUITE_P(KeySizes, RsaRawTest, ::testing::Values(512u, 768u, 1024u));

// Records that were never filled, or whose fields contradict each other,
// fail or give some number, but never touch memory outside their fields.
TEST(RsaRawHostileKeyTest, ZeroAndMalformedKeysNeverCrash) {
  RsaPrivateKey privateKey{};
  RsaPublicKey publicKey{};
  const Bytes input(kMaxModulusBytes, 0x01);
  int status = 0;
  Public(publicKey, input, &status);
  EXPECT_EQ(status, RSAE_LEN);
  Private(privateKey, input, &status);
  EXPECT_EQ(status, RSAE_LEN);

  publicKey.bits = privateKey.bits = 0xFFFF;  // a block far beyond 128 bytes
  Public(publicKey, input, &status);
  EXPECT_EQ(status, RSAE_LEN);

  publicKey.bits = privateKey.bits = 1024;
  std::memset(publicKey.modulus, 0xFF, kMaxModulusBytes);
  std::memset(privateKey.modulus, 0xFF, kMaxModulusBytes);
  EXPECT_EQ(Public(publicKey, input, &status).size(), kMaxModulusBytes);  // exponent 0
  EXPECT_EQ(status, 0);
  // Primes of zero, even primes, a second prime longer than the first.
  EXPECT_EQ(Private(privateKey, input, &status).size(), kMaxModulusBytes);
  std::memset(privateKey.prime[0], 0x00, kMaxPrimeBytes);
  privateKey.prime[0][kMaxPrimeBytes - 1] = 0x10;
  std::memset(privateKey.prime[1], 0xFE, kMaxPrimeBytes);
  std::memset(privateKey.primeExponent, 0xFF, sizeof privateKey.primeExponent);
  std::memset(privateKey.coefficient, 0xFF, kMaxPrimeBytes);
  EXPECT_EQ(Private(privateKey, input, &status).size(), kMaxModulusBytes);
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace ovEBankCrypto
