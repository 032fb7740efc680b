// Fuzzes the money type's text readers: the locale number text of the
// constructor and the SWIFT amount reader. The SWIFT reader must answer as the
// automation number parser does (the same value, or the same exception and
// HRESULT), a text that reads must come back unchanged through GenerateSwift,
// a rejected one must leave the value as it was, and checked arithmetic on
// what was read may only fail with the documented exceptions.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include "ebank/core/currency.h"
#include "ebank/core/testing/swift_oracle.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"

namespace {

using ddCOM::Currency;
using Text = ddCOM::BString<wchar_t>;
using ddCOM::testing::SwiftOutcome;

std::optional<Currency> FromLocaleText(std::wstring text) {
  try {
    return Currency(text.data());
  } catch (const std::invalid_argument&) {
    return std::nullopt;
  }
}

std::optional<Currency> FromSwift(const std::wstring& text) {
  const Text swift(text.c_str(), static_cast<UINT>(text.size()));
  bool unchanged = false;
  const SwiftOutcome outcome = ddCOM::testing::SwiftByParseSwift(swift, 70000, &unchanged);
  EBANK_FUZZ_CHECK(outcome == ddCOM::testing::SwiftByAutomation(swift));
  EBANK_FUZZ_CHECK(unchanged);
  if (outcome.kind != SwiftOutcome::kValue) return std::nullopt;
  CY cy;
  cy.int64 = outcome.raw;
  return Currency(cy);
}

void CheckSwiftRoundTrip(const Currency& value) {
  const Text swift = value.GenerateSwift();
  Currency again;
  again.ParseSwift(swift);
  EBANK_FUZZ_CHECK(static_cast<long long>(again) == static_cast<long long>(value));
}

// Every operation either answers or throws std::overflow_error.
void Combine(const Currency& a, const Currency& b) {
  const auto attempt = [](auto operation) {
    try {
      operation();
    } catch (const std::overflow_error&) {
    }
  };
  attempt([&] { (void)(a + b); });
  attempt([&] { (void)(a - b); });
  attempt([&] { (void)(a * b); });
  attempt([&] { (void)(a / b); });
  attempt([&] { (void)(a % b); });
  attempt([&] { (void)(a * static_cast<LONG>(static_cast<long long>(b))); });
  attempt([&] { (void)(a / static_cast<LONG>(static_cast<long long>(b))); });
  const Currency whole = a.Int(), fraction = a.Fract();
  EBANK_FUZZ_CHECK(static_cast<long long>(whole) + static_cast<long long>(fraction) ==
                   static_cast<long long>(a));
  (void)a.Currency2Str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = ebank::fuzz::WideFromFuzzBytes(data, size);
  const std::optional<Currency> local = FromLocaleText(text);
  const std::optional<Currency> swift = FromSwift(text);
  if (swift) CheckSwiftRoundTrip(*swift);
  if (local && swift) Combine(*local, *swift);
  if (local) Combine(*local, *local);
  return 0;
}
