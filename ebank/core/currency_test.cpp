#include "ebank/core/currency.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ebank/core/exception.h"
#include "ebank/core/testing/swift_oracle.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ddCOM {
namespace {

using Int128 = __int128;

Currency Raw(long long raw) {
  CY cy;
  cy.int64 = raw;
  return Currency(cy);
}

std::wstring Text(const BString<wchar_t>& text) {
  return std::wstring(text.ByVal(), text.Length());
}

std::string Stream(const Currency& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

// Operands from several regions: anywhere, small amounts, near the limits,
// and around the square root of the range where products start to overflow.
std::vector<long long> Operands(std::mt19937_64& random, int count) {
  std::vector<long long> values;
  std::uniform_int_distribution<long long> any(LLONG_MIN, LLONG_MAX);
  std::uniform_int_distribution<long long> small(-100000000, 100000000);
  std::uniform_int_distribution<long long> near(0, 100000);
  std::uniform_int_distribution<long long> root(-4000000000LL, 4000000000LL);
  for (int i = 0; i < count; ++i) {
    switch (i % 5) {
      case 0:
        values.push_back(any(random));
        break;
      case 1:
        values.push_back(small(random));
        break;
      case 2:
        values.push_back(LLONG_MAX - near(random));
        break;
      case 3:
        values.push_back(LLONG_MIN + near(random));
        break;
      default:
        values.push_back(root(random) * (1 + near(random) % 4));
        break;
    }
  }
  values.insert(values.end(), {0, 1, -1, 10000, -10000, LLONG_MAX, LLONG_MIN});
  return values;
}

bool Fits(Int128 value) {
  return value >= LLONG_MIN && value <= LLONG_MAX;
}

template <typename Operation>
void ExpectResult(Operation operation, Int128 expected, bool overflow, const char* message,
                  long long a, long long b) {
  if (!overflow && Fits(expected)) {
    EXPECT_EQ(static_cast<long long>(operation()), static_cast<long long>(expected))
        << a << " " << b;
    return;
  }
  try {
    operation();
    ADD_FAILURE() << "no overflow for " << a << " and " << b;
  } catch (const std::overflow_error& error) {
    EXPECT_STREQ(error.what(), message) << a << " " << b;
  }
}

TEST(CurrencyTest, ArithmeticMatchesExactReference) {
  std::mt19937_64 random(20080505);
  const std::vector<long long> values = Operands(random, 600);
  for (long long a : values) {
    for (int k = 0; k < 60; ++k) {
      const long long b = values[random() % values.size()];
      const Currency x = Raw(a), y = Raw(b);
      ExpectResult([&] { return x + y; }, Int128{a} + b, false,
                   "overflow while adding two ddCOM::Currency values", a, b);
      ExpectResult([&] { return x - y; }, Int128{a} - b, false,
                   "overflow while subtracting a ddCOM::Currency value from another", a, b);
      ExpectResult([&] { return x * y; }, Int128{a} * b / 10000, false,
                   "overflow while multiplying two ddCOM::Currency values", a, b);
      const LONG factor = static_cast<LONG>(b);
      ExpectResult([&] { return x * factor; }, Int128{a} * factor, false,
                   "overflow while multiplying two ddCOM::Currency values", a, b);
      if (b == 0) continue;
      ExpectResult([&] { return x / y; }, Int128{a} * 10000 / b, !Fits(Int128{a} * 10000),
                   "overflow while dividing one ddCOM::Currency by another", a, b);
      ExpectResult([&] { return x % y; }, Int128{a} % b, false, "", a, b);
    }
  }
}

TEST(CurrencyTest, CompoundOperatorsLeaveOperandOnFailure) {
  Currency total = Raw(LLONG_MAX);
  EXPECT_THROW(total += Raw(1), std::overflow_error);
  EXPECT_EQ(static_cast<long long>(total), LLONG_MAX);
  EXPECT_THROW(total *= Raw(20000), std::overflow_error);
  EXPECT_EQ(static_cast<long long>(total), LLONG_MAX);
  total = Raw(100000);
  total /= Raw(30000);
  EXPECT_EQ(static_cast<long long>(total), 33333);
  total %= Raw(10000);
  EXPECT_EQ(static_cast<long long>(total), 3333);
  total -= Raw(3333);
  EXPECT_EQ(static_cast<long long>(total), 0);
}

TEST(CurrencyTest, DivisionByZeroAndIntegerOperands) {
  try {
    Raw(10000) / Raw(0);
    ADD_FAILURE();
  } catch (const std::overflow_error& e) {
    EXPECT_STREQ(e.what(), "divide by zero while dividing one ddCOM::Currency by another");
  }
  try {
    Raw(10000) / 0;
    ADD_FAILURE();
  } catch (const std::overflow_error& e) {
    EXPECT_STREQ(e.what(), "divide by zero while dividing one ddCOM::Currency by long");
  }
  try {
    Raw(10000) % Raw(0);
    ADD_FAILURE();
  } catch (const std::overflow_error& e) {
    EXPECT_STREQ(e.what(), "divide by zero while applying modulo two a ddCOM::Currency");
  }
  EXPECT_EQ(static_cast<long long>(Raw(100000) / 3), 33333);
  EXPECT_EQ(static_cast<long long>(3 * Raw(15000)), 45000);
  // The trapping corner of two's complement division wraps instead of crashing.
  EXPECT_EQ(static_cast<long long>(Raw(LLONG_MIN) / -1), LLONG_MIN);
  EXPECT_EQ(static_cast<long long>(Raw(LLONG_MIN) % Raw(-1)), 0);
}

TEST(CurrencyTest, ConstructionRoundsAndChecks) {
  EXPECT_EQ(static_cast<long long>(Currency(0.00005)), 1);
  EXPECT_EQ(static_cast<long long>(Currency(-0.00005)), -1);
  EXPECT_EQ(static_cast<long long>(Currency(2.5)), 25000);
  EXPECT_EQ(static_cast<long long>(Currency(0.1) + Currency(0.2)), 3000);
  EXPECT_EQ(static_cast<long long>(Currency(-12, 5000)), -115000);
  EXPECT_EQ(static_cast<long long>(Currency(1, 20000)), 30000);
  EXPECT_EQ(static_cast<long long>(Currency(922337203685477LL, 5807)), LLONG_MAX);
  for (auto [whole, fraction] : {std::pair{922337203685477LL, 5808u},
                                 std::pair{922337203685478LL, 0u}, std::pair{LLONG_MIN, 0u}}) {
    try {
      Currency(whole, fraction);
      ADD_FAILURE() << whole;
    } catch (const std::overflow_error& e) {
      EXPECT_STREQ(e.what(), "while constructing a ddCOM:Currency from LONGLONG and int");
    }
  }
}

TEST(CurrencyTest, TextAndVariantConstructors) {
  wchar_t amount[] = L"1234.5";
  EXPECT_EQ(static_cast<long long>(Currency(amount)), 12345000);
  wchar_t junk[] = L"12 apples";
  try {
    Currency{junk};
    ADD_FAILURE();
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "cannot construct ddCOM::Currency out of BSTR");
  }
  VARIANT number;
  number.vt = VT_I4;
  number.lVal = -7;
  EXPECT_EQ(static_cast<long long>(Currency(number)), -70000);
  VARIANT text;
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(L"x");
  try {
    Currency{text};
    ADD_FAILURE();
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "cannot construct ddCOM::Currency out of VARIANT");
  }
  SysFreeString(text.bstrVal);
}

TEST(CurrencyTest, IntAndFractSplitTheValue) {
  EXPECT_EQ(static_cast<long long>(Raw(-15000).Int()), -10000);
  EXPECT_EQ(static_cast<long long>(Raw(-15000).Fract()), -5000);
  for (long long raw : {LLONG_MIN, LLONG_MAX, -1LL, 9999LL, 123456789LL}) {
    EXPECT_EQ(static_cast<long long>(Raw(raw).Int() + Raw(raw).Fract()), raw);
  }
}

TEST(CurrencyTest, TextForms) {
  struct Case {
    long long raw;
    const wchar_t* swift;
    const wchar_t* display;
    const char* stream;
  };
  const Case cases[] = {
      {12345000, L"1234,5", L"1234,50", "1234,5"},
      {120000, L"12,", L"12,00", "12"},
      {1, L"0,0001", L"0,00", "0,0001"},
      {-34560, L"-3,456", L"-3,46", "-3,456"},
      {0, L"0,", L"0,00", "0"},
      {-5000, L"-0,5", L"-0,50", "-0,5"},
      {-10500, L"-1,05", L"-1,05", "-1,05"},
      {71000, L"7,1", L"7,10", "7,1"},
      {50, L"0,005", L"0,00", "0,005"},  // half to even
      {150, L"0,015", L"0,02", "0,015"},
      {250, L"0,025", L"0,02", "0,025"},
      {-250, L"-0,025", L"-0,02", "-0,025"},
      {LLONG_MAX, L"922337203685477,5807", L"922337203685477,58", "922337203685477,5807"},
      {LLONG_MIN, L"-922337203685477,5808", L"-922337203685477,58", "-922337203685477,5808"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(Raw(c.raw).GenerateSwift()), c.swift) << c.raw;
    EXPECT_EQ(Text(Raw(c.raw).Currency2Str()), c.display) << c.raw;
    EXPECT_EQ(Stream(Raw(c.raw)), c.stream) << c.raw;
  }
  std::ostringstream padded;
  padded.width(8);
  padded.fill('*');
  padded << Raw(-5000);
  EXPECT_EQ(padded.str(), "****-0,5");
}

// Digits from the first to the last non-zero one of a non-negative raw value.
int SignificantDigits(long long raw) {
  std::string digits = std::to_string(raw);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return static_cast<int>(digits.size());
}

TEST(CurrencyTest, SwiftRoundTripForEveryValueOfSixteenDigits) {
  std::mt19937_64 random(20080505);
  for (long long raw : Operands(random, 20000)) {
    const BString<wchar_t> text = Raw(raw).GenerateSwift();
    Currency parsed = Raw(42);
    if (raw >= 0 && SignificantDigits(raw) <= 16) {
      parsed.ParseSwift(text);
      EXPECT_EQ(static_cast<long long>(parsed), raw);
    } else {
      try {
        parsed.ParseSwift(text);
        ADD_FAILURE() << raw;
      } catch (const Exception& e) {
        EXPECT_EQ(e.HResult(), DISP_E_TYPEMISMATCH) << raw;
        EXPECT_EQ(static_cast<long long>(parsed), 42);
      }
    }
  }
}

TEST(CurrencyTest, ParseSwiftAcceptsOnlyPlainAmounts) {
  Currency value = Raw(5);
  value.ParseSwift(BString<wchar_t>(L","));
  EXPECT_EQ(static_cast<long long>(value), 0);
  value = Raw(5);
  value.ParseSwift(BString<wchar_t>());
  EXPECT_EQ(static_cast<long long>(value), 0);
  value.ParseSwift(BString<wchar_t>(L"0012,50"));
  EXPECT_EQ(static_cast<long long>(value), 125000);
  value.ParseSwift(BString<wchar_t>(L"123456789012345,6"));
  EXPECT_EQ(static_cast<long long>(value), 1234567890123456000LL);
  try {  // sixteen whole digits are a number, but no amount
    value.ParseSwift(BString<wchar_t>(L"1234567890123456"));
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.HResult(), DISP_E_OVERFLOW);
  }
  for (const wchar_t* bad :
       {L"1.234,56", L"12,5 ", L" 12,5", L"-12,5", L"+1", L"1e5", L"12345678901234567",
        L"0,00000000000000001", L"abc", L"1,2,3", L"12,5\u00a0", L"\u20ac12"}) {
    try {
      value.ParseSwift(BString<wchar_t>(bad));
      ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(e.HResult(), DISP_E_TYPEMISMATCH);
    }
  }
  EXPECT_EQ(static_cast<long long>(value), 1234567890123456000LL);
}

using testing::SwiftByAutomation;
using testing::SwiftOutcome;

SwiftOutcome SwiftByParseSwift(const BString<wchar_t>& text) {
  bool unchanged = false;
  const SwiftOutcome outcome = testing::SwiftByParseSwift(text, -42, &unchanged);
  EXPECT_TRUE(unchanged) << "a refused text changes nothing";
  return outcome;
}

// Texts near the rules' edges: runs of leading and trailing zeros, 15 to 17
// significant digits, commas anywhere, stray characters and embedded NULs.
std::wstring SwiftLikeText(std::mt19937_64& random) {
  static const wchar_t kStray[] = {L'.', L' ', L'-', L'+', L'e', L'\0', L',', L'\u00a0', L'a'};
  std::wstring text(random() % 4 == 0 ? random() % 20 : 0, L'0');
  const int digits = static_cast<int>(random() % 22);
  for (int i = 0; i < digits; ++i) text += static_cast<wchar_t>(L'0' + random() % 10);
  text.append(random() % 3 == 0 ? random() % 20 : 0, L'0');
  if (random() % 4 != 0) text.insert(random() % (text.size() + 1), 1, L',');
  if (random() % 6 == 0) text.insert(random() % (text.size() + 1), 1, kStray[random() % 9]);
  return text;
}

TEST(CurrencyTest, ParseSwiftAgreesWithTheAutomationParser) {
  std::mt19937_64 random(1505);
  std::map<std::pair<int, HRESULT>, int> seen;  // outcomes by kind and HRESULT
  for (int round = 0; round < 100000; ++round) {
    const std::wstring text = SwiftLikeText(random);
    const BString<wchar_t> swift(text.data(), static_cast<UINT>(text.size()));
    const SwiftOutcome expected = SwiftByAutomation(swift);
    ASSERT_EQ(SwiftByParseSwift(swift), expected)
        << "text '" << std::string(text.begin(), text.end()) << "'";
    ++seen[{expected.kind, expected.hresult}];
  }
  // Every rule was met: values, refusals, texts without digits, overflows.
  EXPECT_GT((seen[{SwiftOutcome::kValue, S_OK}]), 1000);
  EXPECT_GT((seen[{SwiftOutcome::kException, DISP_E_TYPEMISMATCH}]), 1000);
  EXPECT_GT((seen[{SwiftOutcome::kErrorInfo, DISP_E_TYPEMISMATCH}]), 100);
  EXPECT_GT((seen[{SwiftOutcome::kErrorInfo, DISP_E_OVERFLOW}]), 100);
  for (long long raw : Operands(random, 20000)) {
    const BString<wchar_t> swift = Raw(raw < 0 ? -(raw + 1) : raw).GenerateSwift();
    ASSERT_EQ(SwiftByParseSwift(swift), SwiftByAutomation(swift)) << raw;
  }
}

}  // namespace
}  // namespace ddCOM
