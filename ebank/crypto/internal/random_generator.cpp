#include "ebank/crypto/internal/random_generator.h"

#include <errno.h>
#include <string.h>
#include <sys/random.h>
#include <time.h>

#include <atomic>
#include <chrono>

#include "ebank/crypto/internal/rsa_keys.h"
#include "ebank/crypto/internal/wiped_array.h"

namespace ovEBankCrypto {
namespace {

constexpr unsigned kStateBytes = kMd5DigestBytes;

// Left word of scrambleWord, replaced only by negative (pre-1970 or
// post-2038) time values.
std::atomic<std::uint32_t> scrambleLeft{0};

std::int64_t SystemSeconds() {
  return static_cast<std::int64_t>(time(nullptr));
}

// The process clock advances with wall time, also while the process waits:
// CPU time would give an idle server the same seed for calls seconds apart.
const std::chrono::steady_clock::time_point loaded = std::chrono::steady_clock::now();

std::int32_t SystemTicks() {
  const auto elapsed = std::chrono::steady_clock::now() - loaded;
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  // A 32-bit count: it wraps after 49 days, as any 32-bit clock value does.
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(milliseconds));
}

// Should the system refuse (it never does for so few bytes once booted),
// the bytes stay 0 and the seeding is the clock's alone.
void SystemBytes(std::uint8_t* bytes) {
  std::size_t filled = 0;
  while (filled < kSystemSeedBytes) {
    const ssize_t got = getrandom(bytes + filled, kSystemSeedBytes - filled, 0);
    if (got <= 0) {
      if (got < 0 && errno == EINTR) continue;
      return;
    }
    filled += static_cast<std::size_t>(got);
  }
}

void StoreLittleEndian(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The nine 32-bit fields of the broken-down UTC time, little-endian.
void BreakDownTime(std::uint8_t record[36], std::int32_t seconds) {
  const time_t moment = seconds;
  struct tm fields;
  memset(&fields, 0, sizeof fields);
  gmtime_r(&moment, &fields);
  const int values[9] = {fields.tm_sec,  fields.tm_min,  fields.tm_hour,
                         fields.tm_mday, fields.tm_mon,  fields.tm_year,
                         fields.tm_wday, fields.tm_yday, fields.tm_isdst};
  for (int i = 0; i < 9; ++i)
    StoreLittleEndian(record + 4 * i, static_cast<std::uint32_t>(values[i]));
  explicit_bzero(&fields, sizeof fields);
}

// Adds 1 to the big-endian counter.
void StepState(std::uint8_t state[kStateBytes]) {
  for (int i = kStateBytes - 1; i >= 0; --i) {
    if (state[i]++ != 0) break;
  }
}

}  // namespace

const RandomClock& SystemRandomClock() {
  static const RandomClock clock{SystemSeconds, SystemTicks, SystemBytes};
  return clock;
}

void randomInit(RandomState& state) {
  memset(&state, 0, sizeof state);
  state.bytesNeeded = kRandomSeedBytes;
}

void randomMix(RandomState& state, const void* block, std::uint32_t length) {
  WipedArray<std::uint8_t, kMd5DigestBytes> digest;
  Md5::Digest(block, length, digest);
  unsigned carry = 0;
  for (int i = kStateBytes - 1; i >= 0; --i) {
    const unsigned sum = state.state[i] + digest[i] + carry;
    state.state[i] = static_cast<std::uint8_t>(sum);
    carry = sum >> 8;
  }
  state.bytesNeeded = length < state.bytesNeeded ? state.bytesNeeded - length : 0;
}

std::uint32_t randomNeeded(const RandomState& state) {
  return state.bytesNeeded;
}

int randomBytes(RandomState& state, std::uint8_t* buffer, std::uint32_t length) {
  if (state.bytesNeeded != 0) return RSAE_NEED_RANDOM;
  if (length == 0) return 0;
  std::uint32_t available = state.outputAvailable > kMd5DigestBytes ? 0 : state.outputAvailable;
  while (length > available) {
    memcpy(buffer, state.output + kMd5DigestBytes - available, available);
    buffer += available;
    length -= available;
    Md5::Digest(state.state, kStateBytes, state.output);
    available = kMd5DigestBytes;
    StepState(state.state);
  }
  memcpy(buffer, state.output + kMd5DigestBytes - available, length);
  state.outputAvailable = available - length;
  return 0;
}

void randomSeedFromClock(RandomState& state, const RandomClock& clock) {
  randomInit(state);
  WipedArray<std::uint8_t, 36> timeRecord;
  while (state.bytesNeeded != 0) {
    const auto seconds = static_cast<std::int32_t>(clock.seconds());
    BreakDownTime(timeRecord, seconds);
    std::uint8_t scrambled[4], ticks[4];
    StoreLittleEndian(ticks, static_cast<std::uint32_t>(clock.ticks()));
    StoreLittleEndian(scrambled, scrambleWord(static_cast<std::uint32_t>(seconds)));
    randomMix(state, scrambled, sizeof scrambled);
    randomMix(state, timeRecord, 36);
    randomMix(state, ticks, sizeof ticks);
  }
  // Beyond the clock: bytes nobody can predict from the time of the call.
  if (clock.systemBytes != nullptr) {
    WipedArray<std::uint8_t, kSystemSeedBytes> bytes;
    memset(bytes, 0, kSystemSeedBytes);
    clock.systemBytes(bytes);
    randomMix(state, bytes, kSystemSeedBytes);
  }
}

void randomStir(RandomState& state, const RandomClock& clock) {
  for (unsigned i = 0; i < kStateBytes; ++i) {
    state.state[i] ^= static_cast<std::uint8_t>(clock.ticks());
    state.state[kStateBytes - 1 - i] ^= static_cast<std::uint8_t>(clock.seconds());
  }
  Md5::Digest(state.state, kStateBytes, state.output);
  state.outputAvailable = kMd5DigestBytes;
}

std::uint32_t scrambleWord(std::uint32_t value) {
  static constexpr std::uint32_t kC1[4] = {0xBAA96887, 0x1E17D32C, 0x03DCBC3C, 0xF033D1B2};
  static constexpr std::uint32_t kC2[4] = {0x4BF03B58, 0xE8740FC3, 0x69AAC5A6, 0x55A7CA46};
  std::uint32_t left, right;
  if (static_cast<std::int32_t>(value) < 0) {
    left = 0u - value;
    right = 1;
    scrambleLeft.store(left, std::memory_order_relaxed);
  } else {
    left = scrambleLeft.load(std::memory_order_relaxed);
    right = value;
  }
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t a = right ^ kC1[i];
    const std::uint32_t low = a & 0xFFFF;
    const std::uint32_t high = a >> 16;
    std::uint32_t b = low * low + ~(high * high);
    b = b >> 16 | b << 16;
    const std::uint32_t next = left ^ ((b ^ kC2[i]) + low * high);
    left = right;
    right = next;
  }
  return right;
}

}  // namespace ovEBankCrypto
