// Test support: the outcome of reading a SWIFT amount text, by
// Currency::ParseSwift and by the automation number parser that ParseSwift's
// direct scan replaces. The tests and the currency fuzzer compare the two.
#ifndef EBANK_CORE_TESTING_SWIFT_ORACLE_H_
#define EBANK_CORE_TESTING_SWIFT_ORACLE_H_

#include <ostream>

#include "ebank/core/bstring.h"
#include "ebank/platform/types.h"

namespace ddCOM::testing {

// A raw value, or the type and HRESULT of the exception thrown.
struct SwiftOutcome {
  enum Kind { kValue, kException, kErrorInfo };

  long long raw = 0;
  Kind kind = kValue;
  HRESULT hresult = S_OK;

  bool operator==(const SwiftOutcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SwiftOutcome& outcome);

// Currency::ParseSwift on a currency of raw value `before`; `unchanged` is
// set to whether a refused text left that value as it was.
SwiftOutcome SwiftByParseSwift(const BString<wchar_t>& text, long long before, bool* unchanged);
// The automation number parser with German conventions, only a decimal comma
// allowed and room for 16 digits, then the conversion to a currency.
SwiftOutcome SwiftByAutomation(const BString<wchar_t>& text);

}  // namespace ddCOM::testing

#endif  // EBANK_CORE_TESTING_SWIFT_ORACLE_H_
