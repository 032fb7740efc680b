// The engine's random generator: an MD5 digest of a 128-bit counter state,
// seeded by mixing in digests of seed blocks (normally clock readings).
//
// It supplies the padding bytes of public-key blocks and the random strings.
// Each caller owns its state, so generators on different threads are
// independent.
#ifndef EBANK_CRYPTO_INTERNAL_RANDOM_GENERATOR_H_
#define EBANK_CRYPTO_INTERNAL_RANDOM_GENERATOR_H_

#include <cstdint>

#include "ebank/crypto/internal/md5.h"

namespace ovEBankCrypto {

// Seed bytes a fresh generator needs before it may be drawn from.
inline constexpr std::uint32_t kRandomSeedBytes = 512;

struct RandomState {
  std::uint32_t bytesNeeded;
  std::uint8_t state[kMd5DigestBytes];  // a 128-bit big-endian counter
  std::uint32_t outputAvailable;        // unused bytes at the end of output
  std::uint8_t output[kMd5DigestBytes];
};

// Bytes of the operating system's generator mixed into each seeding.
inline constexpr unsigned kSystemSeedBytes = 16;

// What the generator is seeded and stirred from. Tests supply fixed clock
// readings and no system bytes, so that a seeding is a function of the
// readings alone.
struct RandomClock {
  std::int64_t (*seconds)();  // seconds since 1 January 1970 (UTC)
  std::int32_t (*ticks)();    // milliseconds the process has been running
  // Fills kSystemSeedBytes bytes; null mixes nothing.
  void (*systemBytes)(std::uint8_t* bytes) = nullptr;
};

// The real sources: time(), the monotonic clock since the library was loaded
// (process start for the programs linking it) and getrandom().
const RandomClock& SystemRandomClock();

void randomInit(RandomState& state);
// Adds the MD5 digest of the seed block to the state and counts its bytes.
void randomMix(RandomState& state, const void* block, std::uint32_t length);
std::uint32_t randomNeeded(const RandomState& state);
// Fills `buffer`; RSAE_NEED_RANDOM while seed bytes are still needed.
int randomBytes(RandomState& state, std::uint8_t* buffer, std::uint32_t length);

// Resets the state and mixes in clock readings until it is seeded, then the
// clock's system bytes.
void randomSeedFromClock(RandomState& state, const RandomClock& clock = SystemRandomClock());
// Stirs clock readings into a seeded state and refreshes its output block.
void randomStir(RandomState& state, const RandomClock& clock = SystemRandomClock());

// Scrambles a 32-bit time value through four mixing rounds; a negative value
// also replaces the process-wide left word that later calls start from.
std::uint32_t scrambleWord(std::uint32_t value);

}  // namespace ovEBankCrypto

#endif  // EBANK_CRYPTO_INTERNAL_RANDOM_GENERATOR_H_
