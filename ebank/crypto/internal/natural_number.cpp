#include "ebank/crypto/internal/natural_number.h"

#include <string.h>

#include <algorithm>
#include <bit>

#include "ebank/crypto/internal/limbs.h"
#include "ebank/crypto/internal/montgomery.h"
#include "ebank/crypto/internal/wiped_array.h"

namespace ovEBankCrypto {
namespace {

using Wide = std::uint64_t;

Digit Low(Wide x) {
  return static_cast<Digit>(x);
}
Digit High(Wide x) {
  return static_cast<Digit>(x >> kDigitBits);
}

// Dividend and divisor of a long division, in limbs, with one spare limb
// for the normalising shift.
constexpr unsigned kMaxDividendLimbs = kMaxProductDigits / 2 + 1;
constexpr unsigned kMaxDivisorLimbs = (kMaxDigits + 1) / 2;

Limb HighLimb(WideLimb x) {
  return static_cast<Limb>(x >> 64);
}

// w[0..n] -= factor * d[0..n-1]; returns whether the result went below 0
// (it is then taken modulo 2^(64 * (n + 1))).
bool SubtractMultiple(Limb* w, Limb factor, const Limb* d, unsigned n) {
  Limb carry = 0;
  unsigned char borrow = 0;
  for (unsigned j = 0; j < n; ++j) {
    const WideLimb product = static_cast<WideLimb>(factor) * d[j] + carry;
    carry = HighLimb(product);
    w[j] = SubtractWithBorrow(w[j], static_cast<Limb>(product), borrow);
  }
  w[n] = SubtractWithBorrow(w[n], carry, borrow);
  return borrow != 0;
}

// w[0..n] += d[0..n-1], dropping the carry out of w[n].
void AddBack(Limb* w, const Limb* d, unsigned n) {
  unsigned char carry = 0;
  for (unsigned j = 0; j < n; ++j) w[j] = AddWithCarry(w[j], d[j], carry);
  w[n] += carry;
}

// The quotient limb of the window w[0..n] (below d * 2^64) by the
// normalised divisor d[0..n-1], from the window's two top limbs and the
// divisor's top limb, refined with the divisor's second limb (Knuth's
// algorithm D): it is exact or one too large.
Limb EstimateQuotient(const Limb* w, const Limb* d, unsigned n) {
  const Limb top = d[n - 1];
  const WideLimb numerator = static_cast<WideLimb>(w[n]) << 64 | w[n - 1];
  WideLimb estimate = numerator / top;
  WideLimb rest = numerator - estimate * top;
  const Limb next = n >= 2 ? d[n - 2] : 0;
  const Limb below = n >= 2 ? w[n - 2] : 0;
  while (HighLimb(estimate) != 0 || estimate * next > (rest << 64 | below)) {
    --estimate;
    rest += top;
    if (HighLimb(rest) != 0) break;
  }
  return static_cast<Limb>(estimate);
}

// a = b << bits or b >> bits over n limbs, bits < 64; returns the limb
// shifted out.
Limb ShiftLimbsLeft(Limb* a, const Limb* b, unsigned bits, unsigned n) {
  if (bits == 0) {
    memmove(a, b, sizeof(Limb) * n);
    return 0;
  }
  Limb carry = 0;
  for (unsigned i = 0; i < n; ++i) {
    const Limb limb = b[i];
    a[i] = limb << bits | carry;
    carry = limb >> (64 - bits);
  }
  return carry;
}

void ShiftLimbsRight(Limb* a, const Limb* b, unsigned bits, unsigned n) {
  if (bits == 0) {
    memmove(a, b, sizeof(Limb) * n);
    return;
  }
  Limb carry = 0;
  for (unsigned i = n; i-- > 0;) {
    const Limb limb = b[i];
    a[i] = limb >> bits | carry;
    carry = limb << (64 - bits);
  }
}

bool Bit(const Digit* a, unsigned i) {
  return (a[i / kDigitBits] >> (i % kDigitBits) & 1) != 0;
}

// Window width for an exponent of `bits` bits: wider windows need more odd
// powers made in advance and fewer multiplications along the exponent.
unsigned WindowBits(unsigned bits) {
  return bits > 239 ? 5 : bits > 79 ? 4 : bits > 23 ? 3 : 1;
}
constexpr unsigned kMaxOddPowers = 1u << (5 - 1);

// The lowest bit of the window that starts at bit `high` of the exponent:
// at most `window` bits long and ending in a 1 bit.
unsigned WindowEnd(const Digit* exponent, unsigned high, unsigned window) {
  unsigned low = high + 1 > window ? high + 1 - window : 0;
  while (!Bit(exponent, low)) ++low;
  return low;
}

// The exponent bits from `high` down to `low` as a number.
unsigned BitsBetween(const Digit* exponent, unsigned low, unsigned high) {
  unsigned value = 0;
  for (unsigned i = high + 1; i-- > low;) value = value << 1 | (Bit(exponent, i) ? 1u : 0u);
  return value;
}

// Left-to-right sliding-window powering: the exponent is cut into windows
// that start and end with a 1 bit, separated by runs of 0 bits. `Powering`
// keeps the running value t and the odd powers b^1, b^3, .., b^(2^w - 1):
// Start(s) sets t = b^s, Square() and MultiplyBy(s) update t.
template <typename Powering>
void PowerBySlidingWindow(Digit* a, const Digit* b, const Digit* exponent, unsigned exponentDigits,
                          const Digit* d, unsigned digits) {
  const unsigned significant = bnDigits(exponent, exponentDigits);
  const unsigned bits = significant * kDigitBits - std::countl_zero(exponent[significant - 1]);
  const unsigned window = WindowBits(bits);
  Powering powering(b, d, digits, window);
  bool started = false;
  for (unsigned high = bits; high-- > 0;) {
    if (!Bit(exponent, high)) {
      powering.Square();  // the top bit is 1, so t is set by now
      continue;
    }
    const unsigned low = WindowEnd(exponent, high, window);
    const unsigned odd = BitsBetween(exponent, low, high);
    if (started) {
      for (unsigned i = low; i <= high; ++i) powering.Square();
      powering.MultiplyBy(odd);
    } else {
      powering.Start(odd);
      started = true;
    }
    high = low;
  }
  powering.Result(a);
}

// Powers with a long division after each product: any non-zero modulus.
class DividingPowering {
 public:
  DividingPowering(const Digit* base, const Digit* modulus, unsigned digits, unsigned window)
      : modulus_(modulus), digits_(digits) {
    bnMod(powers_[0], base, digits, modulus, digits);
    if (window == 1) return;
    bnModMultiply(t_, powers_[0], powers_[0], modulus, digits);  // b^2
    for (unsigned i = 1; i < 1u << (window - 1); ++i)
      bnModMultiply(powers_[i], powers_[i - 1], t_, modulus, digits);
  }
  ~DividingPowering() { explicit_bzero(powers_, sizeof powers_); }

  void Start(unsigned odd) { bnCopy(t_, powers_[odd / 2], digits_); }
  void Square() { bnModMultiply(t_, t_, t_, modulus_, digits_); }
  void MultiplyBy(unsigned odd) { bnModMultiply(t_, t_, powers_[odd / 2], modulus_, digits_); }
  void Result(Digit* out) const { bnCopy(out, t_, digits_); }

 private:
  const Digit* modulus_;
  unsigned digits_;
  Digit powers_[kMaxOddPowers][kMaxDigits];
  WipedArray<Digit, kMaxDigits> t_;
};

// Powers in Montgomery form: odd moduli, which every RSA modulus and prime is.
class MontgomeryPowering {
 public:
  MontgomeryPowering(const Digit* base, const Digit* modulus, unsigned digits, unsigned window)
      : modulus_(modulus, digits), digits_(digits) {
    WipedArray<Digit, kMaxDigits> reduced;
    bnMod(reduced, base, digits, modulus, digits);
    modulus_.Enter(powers_[0], reduced, digits);
    if (window == 1) return;
    modulus_.Square(t_, powers_[0]);  // b^2
    for (unsigned i = 1; i < 1u << (window - 1); ++i)
      modulus_.Multiply(powers_[i], powers_[i - 1], t_);
  }
  ~MontgomeryPowering() { explicit_bzero(powers_, sizeof powers_); }

  void Start(unsigned odd) { memcpy(t_, powers_[odd / 2], sizeof(Limb) * modulus_.Limbs()); }
  void Square() { modulus_.Square(t_, t_); }
  void MultiplyBy(unsigned odd) { modulus_.Multiply(t_, t_, powers_[odd / 2]); }
  void Result(Digit* out) { modulus_.Leave(out, digits_, t_); }

 private:
  MontgomeryModulus modulus_;
  unsigned digits_;
  Limb powers_[kMaxOddPowers][MontgomeryModulus::kMaxLimbs];
  WipedArray<Limb, MontgomeryModulus::kMaxLimbs> t_;
};

}  // namespace

void bnFromBytes(Digit* a, unsigned digits, const std::uint8_t* bytes, unsigned length) {
  unsigned i = 0;
  for (; i < digits && 4 * i + 4 <= length; ++i) {
    Digit digit;
    memcpy(&digit, bytes + length - 4 * i - 4, sizeof digit);
    a[i] = __builtin_bswap32(digit);  // the platform is little-endian
  }
  if (i == digits) return;
  // The leading bytes that do not fill a digit, then zeros.
  Digit leading = 0;
  for (unsigned b = 0; 4 * i + b < length; ++b) leading = leading << 8 | bytes[b];
  a[i] = leading;
  bnAssignZero(a + i + 1, digits - i - 1);
}

void bnToBytes(std::uint8_t* bytes, unsigned length, const Digit* a, unsigned digits) {
  unsigned i = 0;
  for (; 4 * i + 4 <= length; ++i) {
    const Digit digit = __builtin_bswap32(i < digits ? a[i] : 0);
    memcpy(bytes + length - 4 * i - 4, &digit, sizeof digit);
  }
  // The leading bytes that take only part of a digit.
  const Digit leading = i < digits ? a[i] : 0;
  for (unsigned b = 0; 4 * i + b < length; ++b)
    bytes[b] = static_cast<std::uint8_t>(leading >> (8 * (length - 4 * i - 1 - b)));
}

unsigned bnDigits(const Digit* a, unsigned digits) {
  while (digits > 0 && a[digits - 1] == 0) --digits;
  return digits;
}

int bnCompare(const Digit* a, const Digit* b, unsigned digits) {
  while (digits-- > 0) {
    if (a[digits] != b[digits]) return a[digits] > b[digits] ? 1 : -1;
  }
  return 0;
}

void bnAssignZero(Digit* a, unsigned digits) {
  memset(a, 0, sizeof(Digit) * digits);
}

void bnAssignOne(Digit* a, unsigned digits) {
  bnAssignZero(a, digits);
  if (digits > 0) a[0] = 1;
}

void bnCopy(Digit* a, const Digit* b, unsigned digits) {
  if (a != b) memmove(a, b, sizeof(Digit) * digits);
}

Digit bnAdd(Digit* a, const Digit* b, const Digit* c, unsigned digits) {
  Digit carry = 0;
  for (unsigned i = 0; i < digits; ++i) {
    Wide sum = static_cast<Wide>(b[i]) + c[i] + carry;
    a[i] = Low(sum);
    carry = High(sum);
  }
  return carry;
}

Digit bnSub(Digit* a, const Digit* b, const Digit* c, unsigned digits) {
  Digit borrow = 0;
  for (unsigned i = 0; i < digits; ++i) {
    Wide difference = static_cast<Wide>(b[i]) - c[i] - borrow;
    a[i] = Low(difference);
    borrow = High(difference) != 0;
  }
  return borrow;
}

Digit bnShiftLeft(Digit* a, const Digit* b, unsigned bits, unsigned digits) {
  if (bits == 0) {
    bnCopy(a, b, digits);
    return 0;
  }
  Digit carry = 0;
  for (unsigned i = 0; i < digits; ++i) {
    const Digit digit = b[i];
    a[i] = digit << bits | carry;
    carry = digit >> (kDigitBits - bits);
  }
  return carry;
}

Digit bnShiftRight(Digit* a, const Digit* b, unsigned bits, unsigned digits) {
  if (bits == 0) {
    bnCopy(a, b, digits);
    return 0;
  }
  Digit carry = 0;
  for (unsigned i = digits; i-- > 0;) {
    const Digit digit = b[i];
    a[i] = digit >> bits | carry;
    carry = digit << (kDigitBits - bits);
  }
  return carry;
}

void bnMultiply(Digit* a, const Digit* b, const Digit* c, unsigned digits) {
  WipedArray<Digit, kMaxProductDigits> product;
  bnAssignZero(product, 2 * digits);
  for (unsigned i = 0; i < digits; ++i) {
    if (b[i] == 0) continue;
    Digit carry = 0;
    for (unsigned j = 0; j < digits; ++j) {
      Wide sum = static_cast<Wide>(b[i]) * c[j] + product[i + j] + carry;
      product[i + j] = Low(sum);
      carry = High(sum);
    }
    product[i + digits] = carry;
  }
  bnCopy(a, product, 2 * digits);
}

// Normalised long division in limbs: the divisor is shifted until its top
// limb has its high bit set; each quotient limb is estimated (see
// EstimateQuotient) and, when one too large, corrected by adding the divisor
// back once.
void bnDivide(Digit* q, Digit* r, const Digit* c, unsigned cDigits, const Digit* d,
              unsigned dDigits) {
  const unsigned dd = bnDigits(d, dDigits);
  if (q != nullptr) bnAssignZero(q, cDigits);
  if (dd == 0 || cDigits > kMaxProductDigits || dDigits > kMaxDigits) {
    if (r != nullptr) bnAssignZero(r, dDigits);
    return;
  }
  const unsigned n = (dd + 1) / 2;
  // A dividend shorter than the divisor is its own remainder; it is padded
  // to the divisor's length.
  const unsigned m = std::max((cDigits + 1) / 2, n);
  WipedArray<Limb, kMaxDivisorLimbs> divisor;
  DigitsToLimbs(divisor, n, d, dd);
  const unsigned shift = std::countl_zero(divisor[n - 1]);
  ShiftLimbsLeft(divisor, divisor, shift, n);
  WipedArray<Limb, kMaxDividendLimbs> remainder;
  DigitsToLimbs(remainder, m, c, cDigits);
  remainder[m] = ShiftLimbsLeft(remainder, remainder, shift, m);

  for (unsigned i = m + 1 > n ? m + 1 - n : 0; i-- > 0;) {
    Limb* window = remainder + i;  // n + 1 limbs, below divisor * 2^64
    Limb estimate = EstimateQuotient(window, divisor, n);
    if (SubtractMultiple(window, estimate, divisor, n)) {
      --estimate;
      AddBack(window, divisor, n);
    }
    if (q == nullptr) continue;
    if (2 * i < cDigits) q[2 * i] = static_cast<Digit>(estimate);
    if (2 * i + 1 < cDigits) q[2 * i + 1] = static_cast<Digit>(estimate >> kDigitBits);
  }
  if (r != nullptr) {
    ShiftLimbsRight(remainder, remainder, shift, n);
    LimbsToDigits(r, dDigits, remainder, n);
  }
}

void bnMod(Digit* a, const Digit* b, unsigned bDigits, const Digit* d, unsigned dDigits) {
  bnDivide(nullptr, a, b, bDigits, d, dDigits);
}

void bnModMultiply(Digit* a, const Digit* b, const Digit* c, const Digit* d, unsigned digits) {
  WipedArray<Digit, kMaxProductDigits> product;
  bnMultiply(product, b, c, digits);
  bnMod(a, product, 2 * digits, d, digits);
}

void bnModPower(Digit* a, const Digit* b, const Digit* c, unsigned cDigits, const Digit* d,
                unsigned digits) {
  if (bnDigits(c, cDigits) == 0) {
    bnAssignOne(a, digits);
  } else if (MontgomeryModulus::Suits(d, digits)) {
    PowerBySlidingWindow<MontgomeryPowering>(a, b, c, cDigits, d, digits);
  } else {
    PowerBySlidingWindow<DividingPowering>(a, b, c, cDigits, d, digits);
  }
}

}  // namespace ovEBankCrypto
