#include "ebank/core/testing/swift_oracle.h"

#include <cwchar>

#include "ebank/core/currency.h"
#include "ebank/core/error_info_exception.h"
#include "ebank/core/exception.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/num_parse.h"
#include "ebank/platform/oleaut/variant.h"

namespace ddCOM::testing {
namespace {

SwiftOutcome Value(long long raw) {
  return SwiftOutcome{raw, SwiftOutcome::kValue, S_OK};
}

SwiftOutcome Failure(SwiftOutcome::Kind kind, HRESULT hresult) {
  return SwiftOutcome{0, kind, hresult};
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const SwiftOutcome& outcome) {
  static const char* const kKinds[] = {"value", "Exception", "ErrorInfo"};
  return out << kKinds[outcome.kind] << " " << outcome.raw << " hr 0x" << std::hex
             << static_cast<unsigned>(outcome.hresult) << std::dec;
}

SwiftOutcome SwiftByParseSwift(const BString<wchar_t>& text, long long before, bool* unchanged) {
  CY cy;
  cy.int64 = before;
  Currency value(cy);
  *unchanged = true;
  try {
    value.ParseSwift(text);
    return Value(static_cast<long long>(value));
  } catch (const ErrorInfo& e) {
    *unchanged = static_cast<long long>(value) == before;
    return Failure(SwiftOutcome::kErrorInfo, e.HResult());
  } catch (const Exception& e) {
    *unchanged = static_cast<long long>(value) == before;
    return Failure(SwiftOutcome::kException, e.HResult());
  }
}

SwiftOutcome SwiftByAutomation(const BString<wchar_t>& text) {
  const wchar_t* chars = text.ByVal();
  if (chars[0] == L'\0' || std::wcscmp(chars, L",") == 0) return Value(0);
  BYTE digits[16];
  NUMPARSE numprs{16, NUMPRS_DECIMAL, 0, 0, 0, 0};
  HRESULT hr = VarParseNumFromStr(chars, 7, LOCALE_NOUSEROVERRIDE, &numprs, digits);
  if (FAILED(hr)) return Failure(SwiftOutcome::kErrorInfo, hr);
  if (static_cast<UINT>(numprs.cchUsed) != text.Length() ||
      (numprs.dwOutFlags & NUMPRS_INEXACT) != 0 || numprs.nPwr10 < -16 ||
      numprs.nPwr10 + numprs.cDig > 16) {
    return Failure(SwiftOutcome::kException, DISP_E_TYPEMISMATCH);
  }
  VARIANT value;
  hr = VarNumFromParseNum(&numprs, digits, VTBIT_CY, &value);
  if (FAILED(hr)) return Failure(SwiftOutcome::kErrorInfo, hr);
  return Value(value.cyVal.int64);
}

}  // namespace ddCOM::testing
