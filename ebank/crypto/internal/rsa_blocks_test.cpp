#include "ebank/crypto/internal/rsa_blocks.h"

#include <gtest/gtest.h>
#include <openssl/rsa.h>

#include <algorithm>

#include "ebank/crypto/internal/rsa_raw.h"
#include "ebank/crypto/testing/openssl_key.h"

namespace ovEBankCrypto {
namespace {

using testing::Bytes;
using testing::OpenSslKey;
using testing::RandomBytes;

struct Result {
  int status;
  Bytes bytes;
};

template <typename Operation, typename... Extra>
Result Call(Operation operation, const Bytes& input, Extra&&... extra) {
  Bytes output(kMaxModulusBytes);
  unsigned length = 0;
  const int status = operation(output.data(), &length, input.data(),
                               static_cast<unsigned>(input.size()), extra...);
  output.resize(status == 0 ? length : 0);
  return {status, output};
}

RandomState SeededGenerator() {
  RandomState random;
  randomSeedFromClock(random);
  return random;
}

// The block inside a cipher text, recovered with the raw operations.
Bytes RawBlock(const OpenSslKey& key, const Bytes& cipher, bool publicKeyBlock) {
  return publicKeyBlock ? key.PrivateDecrypt(cipher, RSA_NO_PADDING).value()
                        : key.PublicEncrypt(cipher, RSA_NO_PADDING).value();
}

class RsaBlocksTest : public ::testing::TestWithParam<unsigned> {
 protected:
  RsaBlocksTest() : key_(GetParam()), k_(key_.BlockLength()) {}
  const RsaPublicKey& Public() const { return key_.PublicRecord(); }
  const RsaPrivateKey& Private() const { return key_.PrivateRecord(); }

  OpenSslKey key_;
  unsigned k_;
};

TEST_P(RsaBlocksTest, PublicKeyBlocksInteroperateWithOpenSsl) {
  RandomState random = SeededGenerator();
  for (unsigned length : {0u, 1u, 17u, k_ - 11}) {
    const Bytes message = RandomBytes(length);
    const Result cipher = Call(padAndEncryptPublic, message, Public(), random);
    ASSERT_EQ(cipher.status, 0);
    ASSERT_EQ(cipher.bytes.size(), k_);
    EXPECT_EQ(key_.PrivateDecrypt(cipher.bytes, RSA_PKCS1_PADDING), message);
    const Bytes theirs = key_.PublicEncrypt(message, RSA_PKCS1_PADDING).value();
    for (const Bytes& encrypted : {cipher.bytes, theirs}) {
      const Result plain = Call(decryptPrivateAndUnpad, encrypted, Private());
      // The separator of random padding must come before the last byte, so
      // the block of an empty message does not check.
      EXPECT_EQ(plain.status, length == 0 ? RSAE_DATA : 0);
      EXPECT_EQ(plain.bytes, message);
    }

    // Padding: 0x00 0x02, k - length - 3 non-zero bytes, 0x00, message.
    const Bytes block = RawBlock(key_, cipher.bytes, true);
    EXPECT_EQ(block[0], 0x00);
    EXPECT_EQ(block[1], 0x02);
    EXPECT_TRUE(std::all_of(block.begin() + 2, block.end() - length - 1,
                            [](std::uint8_t byte) { return byte != 0; }));
    EXPECT_EQ(block[k_ - length - 1], 0x00);
  }
}

TEST_P(RsaBlocksTest, PrivateKeyBlocksInteroperateWithOpenSsl) {
  for (unsigned length : {0u, 1u, 20u, k_ - 11}) {
    const Bytes message = RandomBytes(length);
    const Result cipher = Call(padAndEncryptPrivate, message, Private());
    ASSERT_EQ(cipher.status, 0);
    EXPECT_EQ(cipher.bytes, key_.PrivateEncrypt(message)) << "type 01 blocks are deterministic";
    EXPECT_EQ(key_.PublicDecrypt(cipher.bytes), message);

    const Bytes theirs = key_.PrivateEncrypt(message).value();
    const Result plain = Call(decryptPublicAndUnpad, theirs, Public());
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.bytes, message);

    const Bytes block = RawBlock(key_, cipher.bytes, false);
    EXPECT_EQ(block[1], 0x01);
    EXPECT_TRUE(std::all_of(block.begin() + 2, block.end() - length - 1,
                            [](std::uint8_t byte) { return byte == 0xFF; }));
  }
}

TEST_P(RsaBlocksTest, MessagesLongerThanTheBlockAllowsAreRefused) {
  RandomState random = SeededGenerator();
  const Bytes longest = RandomBytes(k_ - 11), tooLong = RandomBytes(k_ - 10);
  EXPECT_EQ(Call(padAndEncryptPublic, longest, Public(), random).status, 0);
  EXPECT_EQ(Call(padAndEncryptPrivate, longest, Private()).status, 0);
  EXPECT_EQ(Call(padAndEncryptPublic, tooLong, Public(), random).status, RSAE_LEN);
  EXPECT_EQ(Call(padAndEncryptPrivate, tooLong, Private()).status, RSAE_LEN);
  const Bytes overlong(k_ + 1, 0);
  EXPECT_EQ(Call(decryptPublicAndUnpad, overlong, Public()).status, RSAE_LEN);
  EXPECT_EQ(Call(decryptPrivateAndUnpad, overlong, Private()).status, RSAE_LEN);
}

TEST_P(RsaBlocksTest, WrongBlockTypesAndBadFramesAreRefused) {
  RandomState random = SeededGenerator();
  const Bytes message = RandomBytes(5);
  const Bytes type02 = Call(padAndEncryptPublic, message, Public(), random).bytes;
  const Bytes type01 = Call(padAndEncryptPrivate, message, Private()).bytes;
  EXPECT_EQ(Call(decryptPublicAndUnpad, type02, Public()).status, RSAE_DATA);
  EXPECT_EQ(Call(decryptPrivateAndUnpad, type01, Private()).status, RSAE_DATA);

  // Hand-made blocks, encrypted raw so that they decrypt to exactly this.
  auto cipherOfBlock = [&](const Bytes& block, bool forPrivate) {
    return forPrivate ? key_.PublicEncrypt(block, RSA_NO_PADDING).value()
                      : key_.PrivateDecrypt(block, RSA_NO_PADDING).value();
  };
  Bytes block(k_, 0xFF);
  block[0] = 0x00;
  block[1] = 0x01;
  block[k_ - 1] = 0x00;  // 0xFF up to the last byte, then an empty message
  EXPECT_EQ(Call(decryptPublicAndUnpad, cipherOfBlock(block, false), Public()).bytes, Bytes{});
  block[k_ - 1] = 0xFF;  // no separator at all
  EXPECT_EQ(Call(decryptPublicAndUnpad, cipherOfBlock(block, false), Public()).status, RSAE_DATA);
  block[9] = 0x00;  // only seven padding bytes
  EXPECT_EQ(Call(decryptPublicAndUnpad, cipherOfBlock(block, false), Public()).status, RSAE_DATA);
  block[9] = 0xFE;  // a padding byte that is not 0xFF
  EXPECT_EQ(Call(decryptPublicAndUnpad, cipherOfBlock(block, false), Public()).status, RSAE_DATA);

  block.assign(k_, 0x77);
  block[0] = 0x00;
  block[1] = 0x02;
  block[k_ - 1] = 0x00;  // random padding needs its separator before the last byte
  EXPECT_EQ(Call(decryptPrivateAndUnpad, cipherOfBlock(block, true), Private()).status, RSAE_DATA);
  block[k_ - 2] = 0x00;
  EXPECT_EQ(Call(decryptPrivateAndUnpad, cipherOfBlock(block, true), Private()).bytes, Bytes{0x00});
  block[6] = 0x00;  // only four padding bytes
  EXPECT_EQ(Call(decryptPrivateAndUnpad, cipherOfBlock(block, true), Private()).status, RSAE_DATA);
  block[0] = 0x01;  // the leading byte must be 0
  block[6] = 0x77;
  EXPECT_EQ(Call(decryptPrivateAndUnpad, cipherOfBlock(block, true), Private()).status, RSAE_DATA);

  const std::uint8_t* modulus = Public().modulus + kMaxModulusBytes - k_;
  const Bytes equalToModulus(modulus, modulus + k_);
  EXPECT_EQ(Call(decryptPublicAndUnpad, equalToModulus, Public()).status, RSAE_DATA);
  EXPECT_EQ(Call(decryptPrivateAndUnpad, equalToModulus, Private()).status, RSAE_DATA);
}

INSTANTIATE_TEST_SUITE_P(KeySizes, RsaBlocksTest, ::testing::Values(512u, 768u, 1024u));

TEST(RsaBlocksRulesTest, UnseededGeneratorsAndEmptyKeysAreRefused) {
  const OpenSslKey key(512);
  RandomState random;
  randomInit(random);
  EXPECT_EQ(Call(padAndEncryptPublic, Bytes(5, 'x'), key.PublicRecord(), random).status,
            RSAE_NEED_RANDOM);

  const RsaPublicKey publicKey{};
  const RsaPrivateKey privateKey{};
  random = SeededGenerator();
  EXPECT_EQ(Call(padAndEncryptPublic, Bytes{}, publicKey, random).status, RSAE_LEN);
  EXPECT_EQ(Call(padAndEncryptPrivate, Bytes{}, privateKey).status, RSAE_LEN);
  EXPECT_EQ(Call(decryptPublicAndUnpad, Bytes{}, publicKey).status, RSAE_LEN);
  EXPECT_EQ(Call(decryptPrivateAndUnpad, Bytes{}, privateKey).status, RSAE_LEN);
}

}  // namespace
}  // namespace ovEBankCrypto
