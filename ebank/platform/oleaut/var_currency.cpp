#include "ebank/platform/oleaut/var_currency.h"

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/internal/exact_number.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/num_parse.h"

extern "C" HRESULT VarCyFromStr(const OLECHAR* text, LCID lcid, ULONG flags, CY* out) {
  (void)flags;  // user overrides do not exist here
  if (out == nullptr) return E_INVALIDARG;
  VARIANT result;
  const HRESULT hr = ebank::platform::ParseNumberText(text, lcid, VTBIT_CY, &result);
  if (SUCCEEDED(hr)) *out = result.cyVal;
  return hr;
}

extern "C" HRESULT VarBstrFromCy(CY value, LCID lcid, ULONG flags, BSTR* out) {
  (void)flags;
  if (out == nullptr) return E_INVALIDARG;
  wchar_t text[ebank::platform::kCurrencyTextSize];
  const int length = ebank::platform::FormatCurrencyText(
      value.int64, ebank::platform::GetLocaleInfoFor(lcid).decimal_separator, text);
  *out = SysAllocStringLen(text, static_cast<UINT>(length));
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

extern "C" HRESULT VarCyRound(CY value, int decimals, CY* out) {
  if (out == nullptr || decimals < 0) return E_INVALIDARG;
  ebank::platform::ExactNumber number = ebank::platform::ExactFromCy(value);
  ebank::platform::RoundToScale(&number, decimals);
  // The extremes rounded to whole units fall outside the range.
  return ebank::platform::ExactToCy(number, out) ? S_OK : DISP_E_OVERFLOW;
}

namespace ebank::platform {

int FormatCurrencyText(LONGLONG raw, wchar_t decimal_separator, wchar_t* buffer) {
  // The magnitude in unsigned arithmetic, so that the most negative value works.
  const std::uint64_t magnitude =
      raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
  std::uint64_t whole = magnitude / 10000;
  unsigned fraction = static_cast<unsigned>(magnitude % 10000);
  wchar_t digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  int length = 0;
  if (raw < 0) buffer[length++] = L'-';
  while (count > 0) buffer[length++] = digits[--count];
  if (fraction != 0) {
    buffer[length++] = decimal_separator;
    for (unsigned divisor = 1000; fraction != 0; divisor /= 10) {
      buffer[length++] = static_cast<wchar_t>(L'0' + fraction / divisor);
      fraction %= divisor;
    }
  }
  return length;
}

}  // namespace ebank::platform
