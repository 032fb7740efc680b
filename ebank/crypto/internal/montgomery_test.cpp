#include "ebank/crypto/internal/montgomery.h"

#include <gtest/gtest.h>
#include <openssl/bn.h>

#include <random>
#include <vector>

#include "ebank/crypto/testing/openssl_bignum.h"

namespace ovEBankCrypto {
namespace {

using testing::Bignum;
using testing::FromBignum;
using testing::NewBignum;
using testing::Number;
using testing::ToBignum;

// (a * b) mod d by BIGNUM, as `digits` digits.
Number ModProduct(const Number& a, const Number& b, const Number& d) {
  BN_CTX* context = BN_CTX_new();
  Bignum product = NewBignum();
  BN_mod_mul(product.get(), ToBignum(a).get(), ToBignum(b).get(), ToBignum(d).get(), context);
  BN_CTX_free(context);
  return FromBignum(product.get(), static_cast<unsigned>(d.size()));
}

// Moduli that stress the carries and the final subtraction: all ones, a lone
// top bit, and random digits, at every length the unrolled products serve
// (odd lengths run on the next even limb count).
std::vector<Number> Moduli(unsigned digits, std::mt19937& engine) {
  Number ones(digits, 0xFFFFFFFFu);
  Number topBit(digits, 0);
  topBit[digits - 1] |= 0x80000000u;
  topBit[0] |= 1;
  Number random(digits);
  for (Digit& digit : random) digit = engine();
  random[0] |= 1;
  random[digits - 1] |= 1;
  return {ones, topBit, random};
}

// Operands: 0, 1, d - 1 (the largest residue) and random residues.
std::vector<Number> Operands(const Number& d, std::mt19937& engine) {
  Number zero(d.size(), 0), one(d.size(), 0), largest = d;
  one[0] = 1;
  largest[0] -= 1;  // d is odd
  std::vector<Number> operands = {zero, one, largest};
  for (int i = 0; i < 3; ++i) {
    Number random(d.size());
    for (Digit& digit : random) digit = engine();
    random.back() = d.back() > 0 ? engine() % d.back() : 0;  // below d
    operands.push_back(random);
  }
  return operands;
}

TEST(MontgomeryModulusTest, ProductsAndSquaresAgreeWithBignumAtEveryLength) {
  std::mt19937 engine(7);
  for (unsigned digits = 1; digits <= 2 * MontgomeryModulus::kMaxLimbs; ++digits) {
    for (const Number& d : Moduli(digits, engine)) {
      ASSERT_TRUE(MontgomeryModulus::Suits(d.data(), digits));
      MontgomeryModulus modulus(d.data(), digits);
      const std::vector<Number> operands = Operands(d, engine);
      for (const Number& a : operands) {
        for (const Number& b : operands) {
          Limb x[MontgomeryModulus::kMaxLimbs], y[MontgomeryModulus::kMaxLimbs];
          modulus.Enter(x, a.data(), digits);
          modulus.Enter(y, b.data(), digits);
          modulus.Multiply(y, x, y);
          Number product(digits);
          modulus.Leave(product.data(), digits, y);
          ASSERT_EQ(product, ModProduct(a, b, d)) << digits << " digits";
        }
        Limb x[MontgomeryModulus::kMaxLimbs];
        modulus.Enter(x, a.data(), digits);
        modulus.Square(x, x);
        Number square(digits);
        modulus.Leave(square.data(), digits, x);
        ASSERT_EQ(square, ModProduct(a, a, d)) << digits << " digits";
      }
    }
  }
}

TEST(MontgomeryModulusTest, SuitsOnlyOddModuliUpTo1024Bits) {
  const Number odd = {3, 1}, even = {4, 1}, zero = {0, 0};
  EXPECT_TRUE(MontgomeryModulus::Suits(odd.data(), 2));
  EXPECT_FALSE(MontgomeryModulus::Suits(even.data(), 2));
  EXPECT_FALSE(MontgomeryModulus::Suits(zero.data(), 2));
  Number wide(kMaxDigits, 1);
  EXPECT_FALSE(MontgomeryModulus::Suits(wide.data(), kMaxDigits));
  wide.back() = 0;
  EXPECT_TRUE(MontgomeryModulus::Suits(wide.data(), kMaxDigits));
}

}  // namespace
}  // namespace ovEBankCrypto
