#include "ebank/crypto/natural_number.h"

#include <string.h>

#include <bit>

#include "ebank/crypto/montgomery.h"
#include "ebank/crypto/wiped_array.h"

namespace ovEBankCrypto {
namespace {

using Wide = std::uint64_t;

Digit Low(Wide x) {
  return static_cast<Digit>(x);
}
Digit High(Wide x) {
  return static_cast<Digit>(x >> kDigitBits);
}

// w[0..n] -= factor * d[0..n-1]; the caller guarantees the result is not
// negative.
void SubtractMultiple(Digit* w, Digit factor, const Digit* d, unsigned n) {
  Digit carry = 0;
  Digit borrow = 0;
  for (unsigned j = 0; j < n; ++j) {
    Wide product = static_cast<Wide>(factor) * d[j] + carry;
    carry = High(product);
    Wide difference = static_cast<Wide>(w[j]) - Low(product) - borrow;
    w[j] = Low(difference);
    borrow = High(difference) != 0;
  }
  w[n] -= carry + borrow;
}

// Squares and multiplies a running power by 2-bit windows of an exponent,
// most significant first. `Powering` keeps the running value t and the
// powers b^1..b^3: Start(s) sets t = b^s, Square() and MultiplyBy(s) update t.
template <typename Powering>
void PowerByBitPairs(Powering& powering, const Digit* exponent, unsigned exponentDigits) {
  bool started = false;
  for (unsigned i = bnDigits(exponent, exponentDigits); i-- > 0;) {
    for (int shift = kDigitBits - 2; shift >= 0; shift -= 2) {
      const unsigned pair = (exponent[i] >> shift) & 3;
      if (!started) {
        // Leading zero pairs leave t = 1; the first non-zero pair sets t = b^s.
        if (pair == 0) continue;
        powering.Start(pair);
        started = true;
        continue;
      }
      powering.Square();
      powering.Square();
      if (pair != 0) powering.MultiplyBy(pair);
    }
  }
}

// Powers with a long division after each product: any non-zero modulus.
class DividingPowering {
 public:
  DividingPowering(const Digit* base, const Digit* modulus, unsigned digits)
      : modulus_(modulus), digits_(digits) {
    bnMod(powers_[0], base, digits, modulus, digits);
    bnModMultiply(powers_[1], powers_[0], powers_[0], modulus, digits);
    bnModMultiply(powers_[2], powers_[1], powers_[0], modulus, digits);
  }
  ~DividingPowering() { explicit_bzero(powers_, sizeof powers_); }

  void Start(unsigned pair) { bnCopy(t_, powers_[pair - 1], digits_); }
  void Square() { bnModMultiply(t_, t_, t_, modulus_, digits_); }
  void MultiplyBy(unsigned pair) { bnModMultiply(t_, t_, powers_[pair - 1], modulus_, digits_); }
  void Result(Digit* out) const { bnCopy(out, t_, digits_); }

 private:
  const Digit* modulus_;
  unsigned digits_;
  Digit powers_[3][kMaxDigits];
  WipedArray<Digit, kMaxDigits> t_;
};

// Powers in Montgomery form: odd moduli, which every RSA modulus and prime is.
// b^2 and b^3 are made when first needed: a public exponent such as 65537
// never needs them.
class MontgomeryPowering {
 public:
  using Limb = MontgomeryModulus::Limb;

  MontgomeryPowering(const Digit* base, const Digit* modulus, unsigned digits)
      : modulus_(modulus, digits), digits_(digits) {
    WipedArray<Digit, kMaxDigits> reduced;
    bnMod(reduced, base, digits, modulus, digits);
    modulus_.Enter(powers_[0], reduced, digits);
  }
  ~MontgomeryPowering() { explicit_bzero(powers_, sizeof powers_); }

  void Start(unsigned pair) {
    memcpy(t_, Power(pair), sizeof(Limb) * MontgomeryModulus::kMaxLimbs);
  }
  void Square() { modulus_.Multiply(t_, t_, t_); }
  void MultiplyBy(unsigned pair) { modulus_.Multiply(t_, t_, Power(pair)); }
  void Result(Digit* out) const { modulus_.Leave(out, digits_, t_); }

 private:
  const Limb* Power(unsigned exponent) {
    for (; powersMade_ < exponent; ++powersMade_)
      modulus_.Multiply(powers_[powersMade_], powers_[powersMade_ - 1], powers_[0]);
    return powers_[exponent - 1];
  }

  MontgomeryModulus modulus_;
  unsigned digits_;
  unsigned powersMade_ = 1;
  Limb powers_[3][MontgomeryModulus::kMaxLimbs] = {};
  WipedArray<Limb, MontgomeryModulus::kMaxLimbs> t_;
};

template <typename Powering>
void ModPowerWith(Digit* a, const Digit* b, const Digit* c, unsigned cDigits, const Digit* d,
                  unsigned digits) {
  Powering powering(b, d, digits);
  PowerByBitPairs(powering, c, cDigits);
  powering.Result(a);
}

}  // namespace

void bnFromBytes(Digit* a, unsigned digits, const std::uint8_t* bytes, unsigned length) {
  for (unsigned i = 0; i < digits; ++i) {
    Digit digit = 0;
    for (unsigned b = 0; b < 4; ++b) {
      const unsigned fromEnd = 4 * i + b;
      if (fromEnd < length) digit |= static_cast<Digit>(bytes[length - 1 - fromEnd]) << (8 * b);
    }
    a[i] = digit;
  }
}

void bnToBytes(std::uint8_t* bytes, unsigned length, const Digit* a, unsigned digits) {
  for (unsigned fromEnd = 0; fromEnd < length; ++fromEnd) {
    const unsigned i = fromEnd / 4;
    bytes[length - 1 - fromEnd] =
        i < digits ? static_cast<std::uint8_t>(a[i] >> (8 * (fromEnd % 4))) : 0;
  }
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

// Normalised long division: the divisor is shifted until its top digit has
// its high bit set; each quotient digit is estimated from the two top digits
// of the remainder window divided by (top divisor digit + 1), which never
// overestimates, and corrected upwards by at most a few subtractions.
void bnDivide(Digit* q, Digit* r, const Digit* c, unsigned cDigits, const Digit* d,
              unsigned dDigits) {
  const unsigned dd = bnDigits(d, dDigits);
  if (q != nullptr) bnAssignZero(q, cDigits);
  if (dd == 0 || cDigits > kMaxProductDigits || dDigits > kMaxDigits) {
    if (r != nullptr) bnAssignZero(r, dDigits);
    return;
  }
  const unsigned shift = std::countl_zero(d[dd - 1]);
  WipedArray<Digit, kMaxProductDigits + 1> remainder;
  bnAssignZero(remainder, remainder.size());
  remainder[cDigits] = bnShiftLeft(remainder, c, shift, cDigits);
  WipedArray<Digit, kMaxDigits> divisor;
  bnShiftLeft(divisor, d, shift, dd);
  const Digit top = divisor[dd - 1];

  for (unsigned i = cDigits + 1 > dd ? cDigits + 1 - dd : 0; i-- > 0;) {
    Digit* window = remainder + i;  // dd + 1 digits, below divisor * 2^32
    Digit estimate =
        top == 0xFFFFFFFFu
            ? window[dd]
            : Low((static_cast<Wide>(window[dd]) << kDigitBits | window[dd - 1]) / (top + 1));
    SubtractMultiple(window, estimate, divisor, dd);
    while (window[dd] != 0 || bnCompare(window, divisor, dd) >= 0) {
      window[dd] -= bnSub(window, window, divisor, dd);
      ++estimate;
    }
    if (q != nullptr) q[i] = estimate;
  }
  if (r != nullptr) {
    bnShiftRight(r, remainder, shift, dd);
    bnAssignZero(r + dd, dDigits - dd);
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
    ModPowerWith<MontgomeryPowering>(a, b, c, cDigits, d, digits);
  } else {
    ModPowerWith<DividingPowering>(a, b, c, cDigits, d, digits);
  }
}

}  // namespace ovEBankCrypto
