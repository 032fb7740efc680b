#include <bit>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>
#include <type_traits>

#include "ebank/banking/ebank_const.h"
#include "ebank/banking/ebank_xml.h"
#include "ebank/banking/ifx.h"
#include "gtest/gtest.h"

namespace {

// The declaration forms the items keep.
using Narrow = char const* const;
using Wide = wchar_t const* const;
using WideMutable = wchar_t*;
using Int = int;
using Long = LONG;
using Double = double;

#define EBANK_VOCABULARY_ITEM(ns, name, form, value)      \
  static_assert(std::is_same_v<decltype(ns::name), form>, \
                #ns "::" #name " is not declared as " #form);
#include "ebank/banking/vocabulary_expected.inc"
#undef EBANK_VOCABULARY_ITEM

// Compares one item with its expected value; returns a description of the
// difference, empty when they agree.
std::string Differs(const char* actual, const char* expected) {
  if (actual == nullptr) return "null";
  return std::strcmp(actual, expected) == 0 ? "" : std::string("\"") + actual + "\"";
}
std::string Differs(const wchar_t* actual, const wchar_t* expected) {
  if (actual == nullptr) return "null";
  return std::wcscmp(actual, expected) == 0 ? "" : "different wide text";
}
std::string Differs(int actual, int expected) {
  return actual == expected ? "" : std::to_string(actual);
}
std::string Differs(double actual, double expected) {
  return std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected)
             ? ""
             : std::to_string(actual);
}

TEST(VocabularyTest, EveryItemHasItsExpectedValue) {
  int per_namespace[3] = {};
  auto count = [&](const char* ns) {
    if (std::strcmp(ns, "ovEBankConst") == 0) ++per_namespace[0];
    if (std::strcmp(ns, "ovIFX") == 0) ++per_namespace[1];
    if (std::strcmp(ns, "ovEBankXML") == 0) ++per_namespace[2];
  };
#define EBANK_VOCABULARY_ITEM(ns, name, form, value)              \
  count(#ns);                                                     \
  EXPECT_EQ(Differs(ns::name, value), "") << #ns "::" #name       \
                                                 " differs from " \
                                                 "the expected value";
#include "ebank/banking/vocabulary_expected.inc"
#undef EBANK_VOCABULARY_ITEM
  EXPECT_EQ(per_namespace[0], 42);
  EXPECT_EQ(per_namespace[1], 40);
  EXPECT_EQ(per_namespace[2], 123);
}

TEST(VocabularyTest, CombinedPeriodCodeJoinsTheMonthlyCodes) {
  const std::string joined = std::string(ovEBankConst::HID_PERIOD_MONTHLY) +
                             ovEBankConst::HID_PERIOD_2MONTHLY + ovEBankConst::HID_PERIOD_3MONTHLY +
                             ovEBankConst::HID_PERIOD_6MONTHLY + ovEBankConst::HID_PERIOD_12MONTHLY;
  EXPECT_EQ(joined, ovEBankConst::HID_PERIOD_ALL_PPD);
  EXPECT_EQ(joined.find(ovEBankConst::HID_PERIOD_ALL), std::string::npos);
}

}  // namespace
