// The MD5 message digest (RFC 1321), for the engine's random generator.
//
// Incremental: Update any number of times, then Finish once. The context
// wipes its buffered input and chaining state when it is destroyed.
#ifndef EBANK_CRYPTO_INTERNAL_MD5_H_
#define EBANK_CRYPTO_INTERNAL_MD5_H_

#include <cstddef>
#include <cstdint>

namespace ovEBankCrypto {

inline constexpr std::size_t kMd5DigestBytes = 16;

class Md5 {
 public:
  Md5();
  Md5(const Md5&) = delete;
  Md5& operator=(const Md5&) = delete;
  ~Md5();

  void Update(const void* data, std::size_t length);
  // Writes the 16-byte digest; the context must not be used afterwards.
  void Finish(std::uint8_t digest[kMd5DigestBytes]);

  // The digest of one whole message.
  static void Digest(const void* data, std::size_t length, std::uint8_t digest[kMd5DigestBytes]);

 private:
  void Compress(const std::uint8_t* blocks, std::size_t count);

  std::uint32_t state_[4];
  std::uint64_t length_ = 0;  // bytes hashed so far
  std::uint8_t buffer_[64];
};

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_MD5_H_
