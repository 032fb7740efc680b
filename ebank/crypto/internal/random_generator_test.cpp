#include "ebank/crypto/internal/random_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "ebank/crypto/internal/rsa_keys.h"

namespace ovEBankCrypto {
namespace {

using State = std::array<std::uint8_t, kMd5DigestBytes>;

State StateOf(const RandomState& random) {
  State state;
  std::memcpy(state.data(), random.state, state.size());
  return state;
}

RandomState Seeded() {
  RandomState random;
  randomInit(random);
  const std::vector<std::uint8_t> seed(kRandomSeedBytes, 0x5A);
  randomMix(random, seed.data(), static_cast<std::uint32_t>(seed.size()));
  return random;
}

// Draws 16 bytes (one fresh output block) and returns the state afterwards.
State StepFrom(const State& start) {
  RandomState random = Seeded();
  std::memcpy(random.state, start.data(), start.size());
  random.outputAvailable = 0;
  std::uint8_t block[kMd5DigestBytes];
  EXPECT_EQ(randomBytes(random, block, sizeof block), 0);
  std::uint8_t digest[kMd5DigestBytes];
  Md5::Digest(start.data(), start.size(), digest);
  EXPECT_EQ(0, std::memcmp(block, digest, sizeof block)) << "output is the digest of the state";
  return StateOf(random);
}

TEST(RandomGeneratorTest, NeedsFiveHundredTwelveSeedBytesBeforeDrawing) {
  RandomState random;
  std::memset(&random, 0xAB, sizeof random);
  randomInit(random);
  EXPECT_EQ(randomNeeded(random), kRandomSeedBytes);
  EXPECT_EQ(random.outputAvailable, 0u);
  EXPECT_EQ(StateOf(random), State{});

  std::uint8_t byte;
  EXPECT_EQ(randomBytes(random, &byte, 1), RSAE_NEED_RANDOM);
  const std::vector<std::uint8_t> seed(511, 1);
  randomMix(random, seed.data(), 511);
  EXPECT_EQ(randomNeeded(random), 1u);
  EXPECT_EQ(randomBytes(random, &byte, 1), RSAE_NEED_RANDOM);
  randomMix(random, seed.data(), 100);
  EXPECT_EQ(randomNeeded(random), 0u) << "the count stops at 0";
  EXPECT_EQ(randomBytes(random, &byte, 1), 0);
}

TEST(RandomGeneratorTest, MixingAddsTheDigestAsABigEndianNumber) {
  RandomState random;
  randomInit(random);
  std::memset(random.state, 0xFF, sizeof random.state);
  const char block[] = "seed";
  randomMix(random, block, 4);
  std::uint8_t digest[kMd5DigestBytes];
  Md5::Digest(block, 4, digest);
  // All ones plus d is d - 1 (the carry out of byte 0 is dropped).
  State expected;
  std::memcpy(expected.data(), digest, expected.size());
  for (int i = kMd5DigestBytes - 1; i >= 0 && expected[i]-- == 0; --i) {
  }
  EXPECT_EQ(StateOf(random), expected);
  EXPECT_EQ(randomNeeded(random), kRandomSeedBytes - 4);
}

TEST(RandomGeneratorTest, StateStepsAsABigEndianCounter) {
  State ones;
  ones.fill(0x01);
  EXPECT_EQ(StepFrom(State{}), ones) << "every byte that was 0 carries on";

  State start{};
  start.fill(0x33);
  start[15] = 0x05;
  State expected = start;
  expected[15] = 0x06;
  EXPECT_EQ(StepFrom(start), expected);

  start[14] = 0x05;
  start[15] = 0x00;
  expected[14] = 0x06;
  expected[15] = 0x01;
  EXPECT_EQ(StepFrom(start), expected);
}

TEST(RandomGeneratorTest, BytesAreTheSameHoweverTheyAreRequested) {
  RandomState whole = Seeded(), pieces = Seeded();
  std::uint8_t expected[100], drawn[100];
  ASSERT_EQ(randomBytes(whole, expected, sizeof expected), 0);
  unsigned done = 0;
  for (unsigned piece : {1u, 15u, 16u, 17u, 3u, 48u}) {
    ASSERT_EQ(randomBytes(pieces, drawn + done, piece), 0);
    done += piece;
  }
  EXPECT_EQ(0, std::memcmp(expected, drawn, sizeof drawn));
  EXPECT_EQ(whole.outputAvailable, 12u);
  EXPECT_NE(std::memcmp(expected, expected + 16, 16), 0) << "successive blocks differ";
}

std::int64_t FixedSeconds() {
  return 1718000000;
}
std::int32_t FixedTicks() {
  return 4321;
}
std::int32_t OtherTicks() {
  return 4322;
}

TEST(RandomGeneratorTest, GeneratorsSeededFromTheSameReadingsAgree) {
  const RandomClock clock{FixedSeconds, FixedTicks};
  RandomState first, second, other;
  randomSeedFromClock(first, clock);
  randomSeedFromClock(second, clock);
  randomSeedFromClock(other, RandomClock{FixedSeconds, OtherTicks});
  EXPECT_EQ(randomNeeded(first), 0u);
  EXPECT_EQ(StateOf(first), StateOf(second));
  EXPECT_NE(StateOf(first), StateOf(other));

  std::uint8_t a[40], b[40];
  ASSERT_EQ(randomBytes(first, a, sizeof a), 0);
  ASSERT_EQ(randomBytes(second, b, sizeof b), 0);
  EXPECT_EQ(0, std::memcmp(a, b, sizeof a));

  // Stirring is a function of the state and the readings too.
  randomStir(first, clock);
  randomStir(second, clock);
  EXPECT_EQ(first.outputAvailable, 16u);
  EXPECT_EQ(0, std::memcmp(first.output, second.output, 16));
  EXPECT_EQ(randomNeeded(first), 0u);
}

void FixedSystemBytes(std::uint8_t* bytes) {
  std::memset(bytes, 0xC3, kSystemSeedBytes);
}

TEST(RandomGeneratorTest, SystemBytesAreMixedAfterTheClockReadings) {
  RandomState clockOnly, withBytes;
  randomSeedFromClock(clockOnly, RandomClock{FixedSeconds, FixedTicks});
  randomSeedFromClock(withBytes, RandomClock{FixedSeconds, FixedTicks, FixedSystemBytes});
  const std::vector<std::uint8_t> bytes(kSystemSeedBytes, 0xC3);
  randomMix(clockOnly, bytes.data(), kSystemSeedBytes);
  EXPECT_EQ(StateOf(withBytes), StateOf(clockOnly));
  EXPECT_EQ(randomNeeded(withBytes), 0u);

  // The operating system's bytes part seedings at the very same readings.
  const RandomClock unpredictable{FixedSeconds, FixedTicks, SystemRandomClock().systemBytes};
  RandomState first, second;
  randomSeedFromClock(first, unpredictable);
  randomSeedFromClock(second, unpredictable);
  EXPECT_NE(StateOf(first), StateOf(second));
}

// The process clock is elapsed wall time in milliseconds: it moves on while
// the process sleeps, which CPU time would not.
TEST(RandomGeneratorTest, SystemTicksAdvanceWhileTheProcessIsIdle) {
  const auto ticks = SystemRandomClock().ticks;
  const std::int32_t before = ticks();
  EXPECT_GE(before, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::int32_t elapsed = ticks() - before;
  EXPECT_GE(elapsed, 50);
  EXPECT_LT(elapsed, 60000) << "milliseconds, not a finer unit";
}

TEST(RandomGeneratorTest, SystemClockSeedsAndStirs) {
  RandomState random;
  randomSeedFromClock(random);
  EXPECT_EQ(randomNeeded(random), 0u);
  randomStir(random);
  std::uint8_t digest[kMd5DigestBytes];
  Md5::Digest(random.state, sizeof random.state, digest);
  EXPECT_EQ(0, std::memcmp(random.output, digest, 16)) << "output is the digest of the state";
}

// A negative time v mixes the words (-v, 1) and stores -v as the left word
// that later non-negative times are mixed with; so right after v = -5 the
// time 1 mixes exactly the same words.
TEST(RandomGeneratorTest, ScrambleWordKeepsTheLeftWordOfTheLastNegativeTime) {
  const std::uint32_t minusFive = static_cast<std::uint32_t>(-5);
  const std::uint32_t fromNegative = scrambleWord(minusFive);
  EXPECT_EQ(scrambleWord(1), fromNegative);
  EXPECT_EQ(scrambleWord(1), fromNegative) << "non-negative times leave the stored word";
  const std::uint32_t withFive = scrambleWord(99);

  const std::uint32_t fromMinusSeven = scrambleWord(static_cast<std::uint32_t>(-7));
  EXPECT_EQ(scrambleWord(1), fromMinusSeven);
  EXPECT_NE(scrambleWord(99), withFive) << "the stored word now is 7";
  EXPECT_EQ(scrambleWord(minusFive), fromNegative) << "a negative time ignores the stored word";
  EXPECT_EQ(scrambleWord(99), withFive);
  EXPECT_NE(scrambleWord(0x80000000u), fromNegative);  // the most negative time is safe
}

}  // namespace
}  // namespace ovEBankCrypto
