#include "ebank/platform/oleaut/var_decimal.h"

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/internal/bstr_result.h"
#include "ebank/platform/oleaut/internal/exact_number.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/num_parse.h"

extern "C" HRESULT VarBstrFromDec(const DECIMAL* value, LCID lcid, ULONG flags, BSTR* out) {
  (void)flags;  // user overrides do not exist here
  if (value == nullptr || value->scale > 28) return E_INVALIDARG;
  const wchar_t separator = ebank::platform::GetLocaleInfoFor(lcid).decimal_separator;
  return ebank::platform::ReturnBstr(
      ebank::platform::ExactToText(ebank::platform::ExactFromDecimal(*value), separator), out);
}

extern "C" HRESULT VarDecFromStr(const OLECHAR* text, LCID lcid, ULONG flags, DECIMAL* out) {
  (void)flags;
  if (out == nullptr) return E_INVALIDARG;
  VARIANT result;
  const HRESULT hr = ebank::platform::ParseNumberText(text, lcid, VTBIT_DECIMAL, &result);
  if (SUCCEEDED(hr)) *out = result.decVal;
  return hr;
}
