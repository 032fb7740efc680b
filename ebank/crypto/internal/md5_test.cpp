#include "ebank/crypto/internal/md5.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdio>
#include <string>

#include "ebank/crypto/testing/openssl_key.h"

namespace ovEBankCrypto {
namespace {

using testing::Bytes;
using testing::RandomBytes;

std::string Hex(const std::uint8_t* bytes, std::size_t length) {
  std::string text;
  char pair[3];
  for (std::size_t i = 0; i < length; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
    text += pair;
  }
  return text;
}

std::string DigestHex(const std::string& message) {
  std::uint8_t digest[kMd5DigestBytes];
  Md5::Digest(message.data(), message.size(), digest);
  return Hex(digest, sizeof digest);
}

TEST(Md5Test, MatchesTheSevenReferenceVectors) {
  EXPECT_EQ(DigestHex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(DigestHex("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(DigestHex("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(DigestHex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(DigestHex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(DigestHex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(DigestHex("1234567890123456789012345678901234567890123456789012345678901234567890"
                      "1234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

// Every length from 0 to 1000 bytes covers every position of the padding and
// length field in the last one or two blocks; feeding the same bytes in
// uneven pieces checks the buffering of partial blocks.
TEST(Md5Test, AgreesWithOpenSslOnEveryLengthUpTo1000Bytes) {
  const Bytes data = RandomBytes(1000);
  for (std::size_t length = 0; length <= data.size(); ++length) {
    std::uint8_t expected[kMd5DigestBytes];
    unsigned expectedLength = 0;
    ASSERT_EQ(EVP_Digest(data.data(), length, expected, &expectedLength, EVP_md5(), nullptr), 1);

    std::uint8_t whole[kMd5DigestBytes];
    Md5::Digest(data.data(), length, whole);
    ASSERT_EQ(Hex(whole, sizeof whole), Hex(expected, expectedLength)) << "length " << length;

    Md5 pieces;
    std::size_t done = 0;
    for (std::size_t piece = 1; done < length; piece = piece * 3 % 71 + 1) {
      const std::size_t take = std::min(piece, length - done);
      pieces.Update(data.data() + done, take);
      done += take;
    }
    std::uint8_t incremental[kMd5DigestBytes];
    pieces.Finish(incremental);
    ASSERT_EQ(Hex(incremental, sizeof incremental), Hex(expected, expectedLength))
        << "length " << length;
  }
}

}  // namespace
}  // namespace ovEBankCrypto
