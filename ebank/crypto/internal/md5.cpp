#include "ebank/crypto/internal/md5.h"

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

// The four rounds' steps. Each adds the message word and constant first,
// then the mixing function, and takes the newest word b into it as late as
// possible: the steps form one chain through b, and only the operations that
// read b lie on it. G is written as a sum of disjoint bit sets, so that its
// half without b is added ahead.
void StepF(Word& a, Word b, Word c, Word d, Word x, int shift, Word constant) {
  a += x + constant;
  a += d ^ (b & (c ^ d));
  a = b + std::rotl(a, shift);
}
void StepG(Word& a, Word b, Word c, Word d, Word x, int shift, Word constant) {
  a += x + constant + (c & ~d);
  a += b & d;
  a = b + std::rotl(a, shift);
}
void StepH(Word& a, Word b, Word c, Word d, Word x, int shift, Word constant) {
  a += x + constant;
  a += b ^ (c ^ d);
  a = b + std::rotl(a, shift);
}
void StepI(Word& a, Word b, Word c, Word d, Word x, int shift, Word constant) {
  a += x + constant;
  a += c ^ (b | ~d);
  a = b + std::rotl(a, shift);
}

// The chaining words stay in registers from block to block. The message
// words are read straight from the block, never copied, so no stack copy of
// them needs wiping.
void CompressBlocks(Word state[4], const std::uint8_t* blocks, std::size_t count) {
  Word a = state[0], b = state[1], c = state[2], d = state[3];
  for (const std::uint8_t* block = blocks; block != blocks + count * kBlockBytes;
       block += kBlockBytes) {
    const auto x = [block](int i) { return LoadLittleEndian(block + 4 * i); };
    const Word a0 = a, b0 = b, c0 = c, d0 = d;

    StepF(a, b, c, d, x(0), 7, 0xd76aa478);
    StepF(d, a, b, c, x(1), 12, 0xe8c7b756);
    StepF(c, d, a, b, x(2), 17, 0x242070db);
    StepF(b, c, d, a, x(3), 22, 0xc1bdceee);
    StepF(a, b, c, d, x(4), 7, 0xf57c0faf);
    StepF(d, a, b, c, x(5), 12, 0x4787c62a);
    StepF(c, d, a, b, x(6), 17, 0xa8304613);
    StepF(b, c, d, a, x(7), 22, 0xfd469501);
    StepF(a, b, c, d, x(8), 7, 0x698098d8);
    StepF(d, a, b, c, x(9), 12, 0x8b44f7af);
    StepF(c, d, a, b, x(10), 17, 0xffff5bb1);
    StepF(b, c, d, a, x(11), 22, 0x895cd7be);
    StepF(a, b, c, d, x(12), 7, 0x6b901122);
    StepF(d, a, b, c, x(13), 12, 0xfd987193);
    StepF(c, d, a, b, x(14), 17, 0xa679438e);
    StepF(b, c, d, a, x(15), 22, 0x49b40821);

    StepG(a, b, c, d, x(1), 5, 0xf61e2562);
    StepG(d, a, b, c, x(6), 9, 0xc040b340);
    StepG(c, d, a, b, x(11), 14, 0x265e5a51);
    StepG(b, c, d, a, x(0), 20, 0xe9b6c7aa);
    StepG(a, b, c, d, x(5), 5, 0xd62f105d);
    StepG(d, a, b, c, x(10), 9, 0x02441453);
    StepG(c, d, a, b, x(15), 14, 0xd8a1e681);
    StepG(b, c, d, a, x(4), 20, 0xe7d3fbc8);
    StepG(a, b, c, d, x(9), 5, 0x21e1cde6);
    StepG(d, a, b, c, x(14), 9, 0xc33707d6);
    StepG(c, d, a, b, x(3), 14, 0xf4d50d87);
    StepG(b, c, d, a, x(8), 20, 0x455a14ed);
    StepG(a, b, c, d, x(13), 5, 0xa9e3e905);
    StepG(d, a, b, c, x(2), 9, 0xfcefa3f8);
    StepG(c, d, a, b, x(7), 14, 0x676f02d9);
    StepG(b, c, d, a, x(12), 20, 0x8d2a4c8a);

    StepH(a, b, c, d, x(5), 4, 0xfffa3942);
    StepH(d, a, b, c, x(8), 11, 0x8771f681);
    StepH(c, d, a, b, x(11), 16, 0x6d9d6122);
    StepH(b, c, d, a, x(14), 23, 0xfde5380c);
    StepH(a, b, c, d, x(1), 4, 0xa4beea44);
    StepH(d, a, b, c, x(4), 11, 0x4bdecfa9);
    StepH(c, d, a, b, x(7), 16, 0xf6bb4b60);
    StepH(b, c, d, a, x(10), 23, 0xbebfbc70);
    StepH(a, b, c, d, x(13), 4, 0x289b7ec6);
    StepH(d, a, b, c, x(0), 11, 0xeaa127fa);
    StepH(c, d, a, b, x(3), 16, 0xd4ef3085);
    StepH(b, c, d, a, x(6), 23, 0x04881d05);
    StepH(a, b, c, d, x(9), 4, 0xd9d4d039);
    StepH(d, a, b, c, x(12), 11, 0xe6db99e5);
    StepH(c, d, a, b, x(15), 16, 0x1fa27cf8);
    StepH(b, c, d, a, x(2), 23, 0xc4ac5665);

    StepI(a, b, c, d, x(0), 6, 0xf4292244);
    StepI(d, a, b, c, x(7), 10, 0x432aff97);
    StepI(c, d, a, b, x(14), 15, 0xab9423a7);
    StepI(b, c, d, a, x(5), 21, 0xfc93a039);
    StepI(a, b, c, d, x(12), 6, 0x655b59c3);
    StepI(d, a, b, c, x(3), 10, 0x8f0ccc92);
    StepI(c, d, a, b, x(10), 15, 0xffeff47d);
    StepI(b, c, d, a, x(1), 21, 0x85845dd1);
    StepI(a, b, c, d, x(8), 6, 0x6fa87e4f);
    StepI(d, a, b, c, x(15), 10, 0xfe2ce6e0);
    StepI(c, d, a, b, x(6), 15, 0xa3014314);
    StepI(b, c, d, a, x(13), 21, 0x4e0811a1);
    StepI(a, b, c, d, x(4), 6, 0xf7537e82);
    StepI(d, a, b, c, x(11), 10, 0xbd3af235);
    StepI(c, d, a, b, x(2), 15, 0x2ad7d2bb);
    StepI(b, c, d, a, x(9), 21, 0xeb86d391);

    a += a0;
    b += b0;
    c += c0;
    d += d0;
  }
  state[0] = a;
  state[1] = b;
  state[2] = c;
  state[3] = d;
}

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

Md5::~Md5() {
  explicit_bzero(state_, sizeof state_);
  explicit_bzero(buffer_, sizeof buffer_);
}

void Md5::Compress(const std::uint8_t* blocks, std::size_t count) {
  CompressBlocks(state_, blocks, count);
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
