#include "ebank/crypto/internal/limbs.h"

#include <string.h>

#include <algorithm>

namespace ovEBankCrypto {

// Digits and limbs are both stored least significant first, and the
// platform is little-endian (checked in rsa_keys.h): a limb's bytes are its
// two digits' bytes.
static_assert(sizeof(Limb) == 2 * sizeof(Digit));

void DigitsToLimbs(Limb* out, unsigned limbs, const Digit* x, unsigned digits) {
  const unsigned copied = std::min(digits, 2 * limbs);
  memmove(out, x, sizeof(Digit) * copied);
  memset(reinterpret_cast<Digit*>(out) + copied, 0, sizeof(Digit) * (2 * limbs - copied));
}

void LimbsToDigits(Digit* out, unsigned digits, const Limb* x, unsigned limbs) {
  const unsigned copied = std::min(digits, 2 * limbs);
  memmove(out, x, sizeof(Digit) * copied);
  memset(out + copied, 0, sizeof(Digit) * (digits - copied));
}

}  // namespace ovEBankCrypto
