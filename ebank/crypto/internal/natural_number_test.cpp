#include "ebank/crypto/internal/natural_number.h"

#include <gtest/gtest.h>
#include <openssl/bn.h>

#include <cstring>
#include <random>

#include "ebank/crypto/testing/openssl_bignum.h"

namespace ovEBankCrypto {
namespace {

using testing::Bignum;
using testing::FromBignum;
using testing::NewBignum;
using testing::Number;
using testing::ToBignum;

// Random numbers rich in the digits that stress carries and quotient
// estimates: 0, all ones, a lone top bit, and random digits, and sometimes
// fewer significant digits than the count.
class NumberSource {
 public:
  Number Next(unsigned digits) {
    Number a(digits);
    for (Digit& digit : a) {
      switch (engine_() % 5) {
        case 0:
          digit = 0;
          break;
        case 1:
          digit = 0xFFFFFFFFu;
          break;
        case 2:
          digit = 0x80000000u;
          break;
        default:
          digit = engine_();
          break;
      }
    }
    const unsigned significant = engine_() % 4 == 0 ? engine_() % (digits + 1) : digits;
    for (unsigned i = significant; i < digits; ++i) a[i] = 0;
    return a;
  }
  unsigned Digits(unsigned most) { return 1 + engine_() % most; }

 private:
  std::mt19937 engine_{20240611};
};

TEST(NaturalNumberTest, BytesConvertBigEndianWithPaddingAndTruncation) {
  const std::uint8_t bytes[9] = {0x11, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
  Number a(3, 0xDEADBEEF);
  bnFromBytes(a.data(), 3, bytes + 4, 5);  // 04 05 06 07 08
  EXPECT_EQ(a, (Number{0x05060708, 0x04, 0}));
  bnFromBytes(a.data(), 2, bytes, 9);  // the leading byte does not fit
  EXPECT_EQ(a[0], 0x05060708u);
  EXPECT_EQ(a[1], 0x01020304u);

  std::uint8_t out[10];
  bnToBytes(out, 10, a.data(), 2);
  const std::uint8_t padded[10] = {0, 0, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
  EXPECT_EQ(0, std::memcmp(out, padded, 10));
  bnToBytes(out, 3, a.data(), 2);  // only the lowest three bytes fit
  EXPECT_EQ(out[0], 0x06);
  EXPECT_EQ(out[2], 0x08);
}

TEST(NaturalNumberTest, AddSubtractShiftAndCompareAgreeWithBignum) {
  NumberSource source;
  for (int round = 0; round < 500; ++round) {
    const unsigned n = source.Digits(kMaxDigits);
    const Number b = source.Next(n), c = source.Next(n);
    const Bignum bb = ToBignum(b), bc = ToBignum(c);
    Bignum expected = NewBignum();
    Number a(n);

    const Digit carry = bnAdd(a.data(), b.data(), c.data(), n);
    BN_add(expected.get(), bb.get(), bc.get());
    Number sum = a;
    sum.push_back(carry);
    EXPECT_EQ(sum, FromBignum(expected.get(), n + 1));

    const int order = BN_cmp(bb.get(), bc.get());
    EXPECT_EQ(bnCompare(b.data(), c.data(), n), order);
    const Digit borrow = bnSub(a.data(), b.data(), c.data(), n);
    EXPECT_EQ(borrow, order < 0 ? 1u : 0u);
    if (order >= 0) {
      BN_sub(expected.get(), bb.get(), bc.get());
      EXPECT_EQ(a, FromBignum(expected.get(), n));
    }

    const unsigned bits = round % 32;
    const Digit outLeft = bnShiftLeft(a.data(), b.data(), bits, n);
    BN_lshift(expected.get(), bb.get(), static_cast<int>(bits));
    Number shifted = a;
    shifted.push_back(outLeft);
    EXPECT_EQ(shifted, FromBignum(expected.get(), n + 1));
    bnShiftRight(a.data(), b.data(), bits, n);
    BN_rshift(expected.get(), bb.get(), static_cast<int>(bits));
    EXPECT_EQ(a, FromBignum(expected.get(), n));
    EXPECT_EQ(bnDigits(b.data(), n), static_cast<unsigned>((BN_num_bits(bb.get()) + 31) / 32));
  }
}

TEST(NaturalNumberTest, MultiplyAndDivideAgreeWithBignum) {
  NumberSource source;
  BN_CTX* context = BN_CTX_new();
  for (int round = 0; round < 2000; ++round) {
    const unsigned n = source.Digits(kMaxDigits);
    const Number b = source.Next(n), c = source.Next(n);
    Number product(2 * n);
    bnMultiply(product.data(), b.data(), c.data(), n);
    Bignum expected = NewBignum();
    BN_mul(expected.get(), ToBignum(b).get(), ToBignum(c).get(), context);
    ASSERT_EQ(product, FromBignum(expected.get(), 2 * n));

    const unsigned dividendDigits = source.Digits(kMaxProductDigits);
    const unsigned divisorDigits = source.Digits(kMaxDigits);
    const Number dividend = source.Next(dividendDigits);
    Number divisor = source.Next(divisorDigits);
    if (bnDigits(divisor.data(), divisorDigits) == 0) divisor[0] = 7;
    Number q(dividendDigits), r(divisorDigits);
    bnDivide(q.data(), r.data(), dividend.data(), dividendDigits, divisor.data(), divisorDigits);
    Bignum quotient = NewBignum(), remainder = NewBignum();
    BN_div(quotient.get(), remainder.get(), ToBignum(dividend).get(), ToBignum(divisor).get(),
           context);
    ASSERT_EQ(q, FromBignum(quotient.get(), dividendDigits)) << "round " << round;
    ASSERT_EQ(r, FromBignum(remainder.get(), divisorDigits)) << "round " << round;

    Number modProduct(n);
    Number modulus = c;
    if (bnDigits(modulus.data(), n) == 0) modulus[0] = 3;
    bnModMultiply(modProduct.data(), b.data(), b.data(), modulus.data(), n);
    BN_mod_mul(expected.get(), ToBignum(b).get(), ToBignum(b).get(), ToBignum(modulus).get(),
               context);
    ASSERT_EQ(modProduct, FromBignum(expected.get(), n));
  }
  BN_CTX_free(context);
}

TEST(NaturalNumberTest, DivisionByZeroYieldsZeros) {
  const Number c = {5, 6, 7}, zero = {0, 0};
  Number q = {9, 9, 9}, r = {9, 9};
  bnDivide(q.data(), r.data(), c.data(), 3, zero.data(), 2);
  EXPECT_EQ(q, (Number{0, 0, 0}));
  EXPECT_EQ(r, (Number{0, 0}));
}

// Odd moduli take the Montgomery route, even ones the dividing route; both
// must give the same residues as BIGNUM.
TEST(NaturalNumberTest, ModPowerAgreesWithBignumForOddAndEvenModuli) {
  NumberSource source;
  BN_CTX* context = BN_CTX_new();
  for (int round = 0; round < 300; ++round) {
    const unsigned n = source.Digits(round % 3 == 0 ? kMaxDigits : kMaxDigits / 2);
    const Number base = source.Next(n);
    const unsigned exponentDigits = source.Digits(n);
    const Number exponent = source.Next(exponentDigits);
    Number modulus = source.Next(n);
    if (bnDigits(modulus.data(), n) == 0) modulus[0] = 2;
    modulus[0] = round % 2 == 0 ? modulus[0] | 1 : modulus[0] & ~1u;
    if (bnDigits(modulus.data(), n) == 0) modulus[0] = 2;

    Number result(n);
    bnModPower(result.data(), base.data(), exponent.data(), exponentDigits, modulus.data(), n);
    Bignum expected = NewBignum();
    BN_mod_exp(expected.get(), ToBignum(base).get(), ToBignum(exponent).get(),
               ToBignum(modulus).get(), context);
    ASSERT_EQ(result, FromBignum(expected.get(), n)) << "round " << round;
  }
  BN_CTX_free(context);

  const Number zero = {0, 0}, one = {1, 0}, base = {12345, 6};
  Number result(2);
  bnModPower(result.data(), base.data(), zero.data(), 2, base.data(), 2);
  EXPECT_EQ(result, one) << "an exponent of 0 gives 1";
  bnModPower(result.data(), base.data(), base.data(), 2, one.data(), 2);
  EXPECT_EQ(result, zero) << "everything is 0 modulo 1";
}

}  // namespace
}  // namespace ovEBankCrypto
