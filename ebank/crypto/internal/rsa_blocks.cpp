#include "ebank/crypto/internal/rsa_blocks.h"

#include <string.h>

#include "ebank/crypto/internal/rsa_raw.h"
#include "ebank/crypto/internal/wiped_array.h"

namespace ovEBankCrypto {
namespace {

using Block = WipedArray<std::uint8_t, kMaxModulusBytes>;

enum BlockType : std::uint8_t { kPrivateKeyBlock = 0x01, kPublicKeyBlock = 0x02 };

// Whether a message of `length` bytes fits a block of k bytes (k <= 128).
bool MessageFits(unsigned length, unsigned k) {
  return k <= kMaxModulusBytes && length <= k && length + kBlockOverhead <= k;
}

// 0x00, type, the padding already in block[2 .. k - length - 2], 0x00, message.
void FrameBlock(std::uint8_t* block, unsigned k, BlockType type, const std::uint8_t* message,
                unsigned length) {
  block[0] = 0x00;
  block[1] = type;
  block[k - length - 1] = 0x00;
  if (length > 0) memcpy(block + k - length, message, length);
}

// Checks the frame of a decrypted block and copies its message out. The
// padding starts at index 2 and ends at the first byte that `isPadding`
// refuses, at index k - 1 at the latest; that byte must be the 0x00
// separator. Random padding must be ended by a separator before the last
// byte; the last byte may separate 0xFF padding from an empty message.
template <typename IsPadding>
int Unframe(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* block, unsigned k,
            BlockType type, IsPadding isPadding) {
  if (k < kBlockOverhead || block[0] != 0x00 || block[1] != type) return RSAE_DATA;
  unsigned i = 2;
  while (i < k - 1 && isPadding(block[i])) ++i;
  if (block[i] != 0x00 || (type == kPublicKeyBlock && i == k - 1)) return RSAE_DATA;
  const unsigned length = k - i - 1;
  if (length + kBlockOverhead > k) return RSAE_DATA;
  if (length > 0) memcpy(output, block + i + 1, length);
  *outputLength = length;
  return 0;
}

template <typename Key, typename IsPadding>
int DecryptAndUnframe(int (*operation)(std::uint8_t*, unsigned*, const std::uint8_t*, unsigned,
                                       const Key&),
                      std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                      unsigned inputLength, const Key& key, BlockType type, IsPadding isPadding) {
  const unsigned k = BlockLength(key.bits);
  if (inputLength > k) return RSAE_LEN;
  Block block;
  unsigned blockLength = 0;
  if (int status = operation(block, &blockLength, input, inputLength, key)) return status;
  if (blockLength != k) return RSAE_LEN;
  return Unframe(output, outputLength, block, k, type, isPadding);
}

}  // namespace

int padAndEncryptPublic(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                        unsigned inputLength, const RsaPublicKey& key, RandomState& random) {
  const unsigned k = BlockLength(key.bits);
  if (!MessageFits(inputLength, k)) return RSAE_LEN;
  if (randomNeeded(random) != 0) return RSAE_NEED_RANDOM;
  Block block;
  for (unsigned i = 2; i < k - inputLength - 1; ++i) {
    do {
      randomBytes(random, block + i, 1);
    } while (block[i] == 0);
  }
  FrameBlock(block, k, kPublicKeyBlock, input, inputLength);
  return rsaPublicOp(output, outputLength, block, k, key);
}

int padAndEncryptPrivate(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                         unsigned inputLength, const RsaPrivateKey& key) {
  const unsigned k = BlockLength(key.bits);
  if (!MessageFits(inputLength, k)) return RSAE_LEN;
  Block block;
  memset(block + 2, 0xFF, k - inputLength - 3);
  FrameBlock(block, k, kPrivateKeyBlock, input, inputLength);
  return rsaPrivateOp(output, outputLength, block, k, key);
}

int decryptPublicAndUnpad(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                          unsigned inputLength, const RsaPublicKey& key) {
  return DecryptAndUnframe(rsaPublicOp, output, outputLength, input, inputLength, key,
                           kPrivateKeyBlock, [](std::uint8_t byte) { return byte == 0xFF; });
}

int decryptPrivateAndUnpad(std::uint8_t* output, unsigned* outputLength, const std::uint8_t* input,
                           unsigned inputLength, const RsaPrivateKey& key) {
  return DecryptAndUnframe(rsaPrivateOp, output, outputLength, input, inputLength, key,
                           kPublicKeyBlock, [](std::uint8_t byte) { return byte != 0x00; });
}

}  // namespace ovEBankCrypto
