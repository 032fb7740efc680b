#include "ebank/platform/oleaut/var_currency.h"

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr_result.h"
#include "ebank/platform/oleaut/exact_number.h"
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
  const wchar_t separator = ebank::platform::GetLocaleInfoFor(lcid).decimal_separator;
  return ebank::platform::ReturnBstr(
      ebank::platform::ExactToText(ebank::platform::ExactFromCy(value), separator), out);
}

extern "C" HRESULT VarCyRound(CY value, int decimals, CY* out) {
  if (out == nullptr || decimals < 0) return E_INVALIDARG;
  ebank::platform::ExactNumber number = ebank::platform::ExactFromCy(value);
  ebank::platform::RoundToScale(&number, decimals);
  // The extremes rounded to whole units fall outside the range.
  return ebank::platform::ExactToCy(number, out) ? S_OK : DISP_E_OVERFLOW;
}

extern "C" HRESULT VarCyFromR8(DOUBLE value, CY* out) {
  if (out == nullptr) return E_INVALIDARG;
  VARIANT result;
  const HRESULT hr = ebank::platform::DoubleToVariant(value, VT_CY, &result);
  if (SUCCEEDED(hr)) *out = result.cyVal;
  return hr;
}

extern "C" HRESULT VarR8FromCy(CY value, DOUBLE* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = static_cast<double>(value.int64) / 10000.0;
  return S_OK;
}
