#include "ebank/crypto/internal/montgomery.h"

#include <string.h>

#include <array>
#include <utility>

#include "ebank/crypto/internal/limbs.h"
#include "ebank/crypto/internal/wiped_array.h"

// Loops over limbs are unrolled completely for each limb count, also at -O2,
// so that the running sums stay in registers. (Unoptimised builds unroll
// nothing, and GCC would only warn that it ignores the request.)
#if defined(__OPTIMIZE__)
#define EBANK_UNROLL_LIMBS _Pragma("GCC unroll 32")
#else
#define EBANK_UNROLL_LIMBS
#endif

namespace ovEBankCrypto {
namespace {

constexpr unsigned kMaxLimbs = MontgomeryModulus::kMaxLimbs;

// A sum of limb products three limbs wide: one column of a product-scanning
// multiplication, kept in registers while the column is summed.
struct Column {
  Limb low = 0, middle = 0, high = 0;

  void AddProduct(Limb a, Limb b) {
    const WideLimb product = static_cast<WideLimb>(a) * b;
    unsigned char carry = 0;
    low = AddWithCarry(low, static_cast<Limb>(product), carry);
    middle = AddWithCarry(middle, static_cast<Limb>(product >> 64), carry);
    high = AddWithCarry(high, 0, carry);
  }
  void AddTwice(const Column& other) {
    unsigned char carry = 0;
    const Limb low2 = AddWithCarry(other.low, other.low, carry);
    const Limb middle2 = AddWithCarry(other.middle, other.middle, carry);
    const Limb high2 = AddWithCarry(other.high, other.high, carry);
    carry = 0;
    low = AddWithCarry(low, low2, carry);
    middle = AddWithCarry(middle, middle2, carry);
    high = AddWithCarry(high, high2, carry);
  }
  // Hands out the lowest limb and moves on to the next column.
  Limb Next() {
    const Limb out = low;
    low = middle;
    middle = high;
    high = 0;
    return out;
  }
};

// The lowest limb i of a that meets limb k - i of b in column k of an n-limb
// product.
constexpr unsigned First(unsigned k, unsigned n) {
  return k < n ? 0 : k - n + 1;
}

// The terms that column k of a times b adds, for a product and a square.
struct ProductTerms {
  template <unsigned N>
  static void Add(Column& sum, unsigned k, const Limb* a, const Limb* b) {
    EBANK_UNROLL_LIMBS
    for (unsigned i = First(k, N); i <= k && i < N; ++i) sum.AddProduct(a[i], b[k - i]);
  }
};

// Each product of two different limbs occurs twice in a column of a square,
// so it is summed once and doubled.
struct SquareTerms {
  template <unsigned N>
  static void Add(Column& sum, unsigned k, const Limb* a, const Limb*) {
    Column cross;
    EBANK_UNROLL_LIMBS
    for (unsigned i = First(k, N); 2 * i < k; ++i) cross.AddProduct(a[i], a[k - i]);
    sum.AddTwice(cross);
    if (k % 2 == 0) sum.AddProduct(a[k / 2], a[k / 2]);
  }
};

// out = a * b / R mod d (Montgomery multiplication), by product scanning
// with the reduction interleaved: column k < n also picks the multiple m[k]
// of d that clears it, and every column adds its products m[i] * d[k - i].
// The sum, below 2d, becomes a residue by one conditional subtraction,
// computed into m once m is spent. `m` has room for n limbs.
template <unsigned N, typename Terms>
void MontgomeryProduct(Limb* out, const Limb* a, const Limb* b, const Limb* d, Limb inverse,
                       Limb* m) {
  Column sum;
  EBANK_UNROLL_LIMBS
  for (unsigned k = 0; k < 2 * N; ++k) {
    if (k < 2 * N - 1) Terms::template Add<N>(sum, k, a, b);
    EBANK_UNROLL_LIMBS
    for (unsigned i = First(k, N); i < k && i < N; ++i) sum.AddProduct(m[i], d[k - i]);
    if (k < N) {
      m[k] = sum.low * inverse;
      sum.AddProduct(m[k], d[0]);
      sum.Next();
    } else {
      out[k - N] = sum.Next();
    }
  }

  unsigned char borrow = 0;
  EBANK_UNROLL_LIMBS
  for (unsigned j = 0; j < N; ++j) {
    // out - d - borrow, as out + ~d + !borrow.
    unsigned char carry = !borrow;
    m[j] = AddWithCarry(out[j], ~d[j], carry);
    borrow = !carry;
  }
  // Keep out when it is below d and nothing was carried beyond n limbs.
  const Limb keep = 0 - static_cast<Limb>(sum.low < borrow);
  EBANK_UNROLL_LIMBS
  for (unsigned j = 0; j < N; ++j) out[j] = (out[j] & keep) | (m[j] & ~keep);
}

// -m^-1 mod 2^64 for odd m, by Newton steps that double the correct bits
// (an odd m is its own inverse to 3 bits).
Limb NegatedInverse(Limb m) {
  Limb inverse = m;
  for (int step = 0; step < 5; ++step) inverse *= 2 - m * inverse;
  return 0 - inverse;
}

}  // namespace

struct MontgomeryModulus::Kernels {
  using Kernel = void(Limb* out, const Limb* a, const Limb* b, const Limb* d, Limb inverse,
                      Limb* m);
  Kernel* multiply;
  Kernel* square;
};

namespace {

template <unsigned... N>
constexpr std::array<MontgomeryModulus::Kernels, sizeof...(N)> KernelTable(
    std::integer_sequence<unsigned, N...>) {
  return {MontgomeryModulus::Kernels{&MontgomeryProduct<2 * (N + 1), ProductTerms>,
                                     &MontgomeryProduct<2 * (N + 1), SquareTerms>}...};
}

// Entry i serves moduli of 2i + 2 limbs. A modulus of an odd number of limbs
// gets a zero limb on top: R only has to exceed it, and the unrolled code
// stays half as large.
constexpr auto kKernels = KernelTable(std::make_integer_sequence<unsigned, kMaxLimbs / 2>());

}  // namespace

bool MontgomeryModulus::Suits(const Digit* d, unsigned digits) {
  unsigned significant = bnDigits(d, digits);
  return significant > 0 && significant <= 2 * kMaxLimbs && (d[0] & 1) != 0;
}

MontgomeryModulus::MontgomeryModulus(const Digit* d, unsigned digits) {
  unsigned significant = bnDigits(d, digits);
  limbs_ = (significant + 3) / 4 * 2;
  kernels_ = &kKernels[limbs_ / 2 - 1];
  DigitsToLimbs(modulus_, limbs_, d, significant);
  inverse_ = NegatedInverse(modulus_[0]);

  // R = 2^(64 * limbs); R^2 mod d by one long division.
  WipedArray<Digit, kMaxProductDigits> power;
  unsigned powerDigits = 4 * limbs_ + 1;
  bnAssignZero(power, powerDigits);
  power[powerDigits - 1] = 1;
  WipedArray<Digit, kMaxDigits> remainder;
  bnMod(remainder, power, powerDigits, d, significant);
  DigitsToLimbs(rSquared_, limbs_, remainder, significant);
}

MontgomeryModulus::~MontgomeryModulus() {
  explicit_bzero(modulus_, sizeof modulus_);
  explicit_bzero(rSquared_, sizeof rSquared_);
  explicit_bzero(multiples_, sizeof multiples_);
  explicit_bzero(&inverse_, sizeof inverse_);
}

void MontgomeryModulus::Enter(Limb* out, const Digit* x, unsigned digits) {
  WipedArray<Limb, kMaxLimbs> limbs;
  DigitsToLimbs(limbs, limbs_, x, digits);
  Multiply(out, limbs, rSquared_);
}

void MontgomeryModulus::Leave(Digit* out, unsigned digits, const Limb* x) {
  // x / R is the Montgomery product of x and 1.
  WipedArray<Limb, kMaxLimbs> plain;
  memset(plain, 0, sizeof(Limb) * limbs_);
  plain[0] = 1;
  Multiply(plain, x, plain);
  LimbsToDigits(out, digits, plain, limbs_);
}

void MontgomeryModulus::Multiply(Limb* out, const Limb* a, const Limb* b) {
  kernels_->multiply(out, a, b, modulus_, inverse_, multiples_);
}

void MontgomeryModulus::Square(Limb* out, const Limb* a) {
  kernels_->square(out, a, a, modulus_, inverse_, multiples_);
}

}  // namespace ovEBankCrypto
