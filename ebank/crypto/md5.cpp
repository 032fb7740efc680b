#include "ebank/crypto/md5.h"

#include <string.h>

#include <bit>

namespace ovEBankCrypto {
namespace {

using Word = std::uint32_t;

constexpr std::size_t kBlockBytes = 64;

Word LoadLittleEndian(const std::uint8_t* p) {
  Word word;
  memcpy(&word, p, sizeof word);
  return word;  // the platform is little-endian (checked in rsa_keys.h)
}

Word F(Word x, Word y, Word z) {
  return z ^ (x & (y ^ z));
}
Word G(Word x, Word y, Word z) {
  return y ^ (z & (x ^ y));
}
Word H(Word x, Word y, Word z) {
  return x ^ y ^ z;
}
Word I(Word x, Word y, Word z) {
  return y ^ (x | ~z);
}

template <Word (*Mix)(Word, Word, Word)>
void Step(Word& a, Word b, Word c, Word d, Word x, int shift, Word constant) {
  a = b + std::rotl(a + Mix(b, c, d) + x + constant, shift);
}

void CompressBlock(Word state[4], const std::uint8_t* block) {
  Word x[16];
  for (int i = 0; i < 16; ++i) x[i] = LoadLittleEndian(block + 4 * i);
  Word a = state[0], b = state[1], c = state[2], d = state[3];

  Step<F>(a, b, c, d, x[0], 7, 0xd76aa478);
  Step<F>(d, a, b, c, x[1], 12, 0xe8c7b756);
  Step<F>(c, d, a, b, x[2], 17, 0x242070db);
  Step<F>(b, c, d, a, x[3], 22, 0xc1bdceee);
  Step<F>(a, b, c, d, x[4], 7, 0xf57c0faf);
  Step<F>(d, a, b, c, x[5], 12, 0x4787c62a);
  Step<F>(c, d, a, b, x[6], 17, 0xa8304613);
  Step<F>(b, c, d, a, x[7], 22, 0xfd469501);
  Step<F>(a, b, c, d, x[8], 7, 0x698098d8);
  Step<F>(d, a, b, c, x[9], 12, 0x8b44f7af);
  Step<F>(c, d, a, b, x[10], 17, 0xffff5bb1);
  Step<F>(b, c, d, a, x[11], 22, 0x895cd7be);
  Step<F>(a, b, c, d, x[12], 7, 0x6b901122);
  Step<F>(d, a, b, c, x[13], 12, 0xfd987193);
  Step<F>(c, d, a, b, x[14], 17, 0xa679438e);
  Step<F>(b, c, d, a, x[15], 22, 0x49b40821);

  Step<G>(a, b, c, d, x[1], 5, 0xf61e2562);
  Step<G>(d, a, b, c, x[6], 9, 0xc040b340);
  Step<G>(c, d, a, b, x[11], 14, 0x265e5a51);
  Step<G>(b, c, d, a, x[0], 20, 0xe9b6c7aa);
  Step<G>(a, b, c, d, x[5], 5, 0xd62f105d);
  Step<G>(d, a, b, c, x[10], 9, 0x02441453);
  Step<G>(c, d, a, b, x[15], 14, 0xd8a1e681);
  Step<G>(b, c, d, a, x[4], 20, 0xe7d3fbc8);
  Step<G>(a, b, c, d, x[9], 5, 0x21e1cde6);
  Step<G>(d, a, b, c, x[14], 9, 0xc33707d6);
  Step<G>(c, d, a, b, x[3], 14, 0xf4d50d87);
  Step<G>(b, c, d, a, x[8], 20, 0x455a14ed);
  Step<G>(a, b, c, d, x[13], 5, 0xa9e3e905);
  Step<G>(d, a, b, c, x[2], 9, 0xfcefa3f8);
  Step<G>(c, d, a, b, x[7], 14, 0x676f02d9);
  Step<G>(b, c, d, a, x[12], 20, 0x8d2a4c8a);

  Step<H>(a, b, c, d, x[5], 4, 0xfffa3942);
  Step<H>(d, a, b, c, x[8], 11, 0x8771f681);
  Step<H>(c, d, a, b, x[11], 16, 0x6d9d6122);
  Step<H>(b, c, d, a, x[14], 23, 0xfde5380c);
  Step<H>(a, b, c, d, x[1], 4, 0xa4beea44);
  Step<H>(d, a, b, c, x[4], 11, 0x4bdecfa9);
  Step<H>(c, d, a, b, x[7], 16, 0xf6bb4b60);
  Step<H>(b, c, d, a, x[10], 23, 0xbebfbc70);
  Step<H>(a, b, c, d, x[13], 4, 0x289b7ec6);
  Step<H>(d, a, b, c, x[0], 11, 0xeaa127fa);
  Step<H>(c, d, a, b, x[3], 16, 0xd4ef3085);
  Step<H>(b, c, d, a, x[6], 23, 0x04881d05);
  Step<H>(a, b, c, d, x[9], 4, 0xd9d4d039);
  Step<H>(d, a, b, c, x[12], 11, 0xe6db99e5);
  Step<H>(c, d, a, b, x[15], 16, 0x1fa27cf8);
  Step<H>(b, c, d, a, x[2], 23, 0xc4ac5665);

  Step<I>(a, b, c, d, x[0], 6, 0xf4292244);
  Step<I>(d, a, b, c, x[7], 10, 0x432aff97);
  Step<I>(c, d, a, b, x[14], 15, 0xab9423a7);
  Step<I>(b, c, d, a, x[5], 21, 0xfc93a039);
  Step<I>(a, b, c, d, x[12], 6, 0x655b59c3);
  Step<I>(d, a, b, c, x[3], 10, 0x8f0ccc92);
  Step<I>(c, d, a, b, x[10], 15, 0xffeff47d);
  Step<I>(b, c, d, a, x[1], 21, 0x85845dd1);
  Step<I>(a, b, c, d, x[8], 6, 0x6fa87e4f);
  Step<I>(d, a, b, c, x[15], 10, 0xfe2ce6e0);
  Step<I>(c, d, a, b, x[6], 15, 0xa3014314);
  Step<I>(b, c, d, a, x[13], 21, 0x4e0811a1);
  Step<I>(a, b, c, d, x[4], 6, 0xf7537e82);
  Step<I>(d, a, b, c, x[11], 10, 0xbd3af235);
  Step<I>(c, d, a, b, x[2], 15, 0x2ad7d2bb);
  Step<I>(b, c, d, a, x[9], 21, 0xeb86d391);

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  explicit_bzero(x, sizeof x);
}

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

Md5::~Md5() {
  explicit_bzero(state_, sizeof state_);
  explicit_bzero(buffer_, sizeof buffer_);
}

void Md5::Compress(const std::uint8_t* blocks, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) CompressBlock(state_, blocks + i * kBlockBytes);
}

void Md5::Update(const void* data, std::size_t length) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::size_t buffered = length_ % kBlockBytes;
  length_ += length;
  if (buffered > 0) {
    const std::size_t take = length < kBlockBytes - buffered ? length : kBlockBytes - buffered;
    memcpy(buffer_ + buffered, bytes, take);
    bytes += take;
    length -= take;
    if (buffered + take < kBlockBytes) return;
    Compress(buffer_, 1);
  }
  Compress(bytes, length / kBlockBytes);
  const std::size_t tail = length % kBlockBytes;
  if (tail > 0) memcpy(buffer_, bytes + length - tail, tail);
}

void Md5::Finish(std::uint8_t digest[kMd5DigestBytes]) {
  const std::uint64_t bitLength = length_ * 8;
  // A 0x80 byte, zeros up to 56 bytes into a block, then the bit length.
  std::uint8_t padding[kBlockBytes + 8] = {0x80};
  const std::size_t buffered = length_ % kBlockBytes;
  const std::size_t padLength = (buffered < 56 ? 56 : 56 + kBlockBytes) - buffered;
  memcpy(padding + padLength, &bitLength, sizeof bitLength);
  Update(padding, padLength + sizeof bitLength);
  memcpy(digest, state_, kMd5DigestBytes);
}

void Md5::Digest(const void* data, std::size_t length, std::uint8_t digest[kMd5DigestBytes]) {
  Md5 md5;
  md5.Update(data, length);
  md5.Finish(digest);
}

}  // namespace ovEBankCrypto
