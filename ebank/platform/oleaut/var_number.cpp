#include "ebank/platform/oleaut/var_number.h"

#include <cstdio>
#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/internal/bstr_result.h"
#include "ebank/platform/oleaut/locale_info.h"
#include "ebank/platform/oleaut/num_parse.h"

extern "C" HRESULT VarI4FromStr(const OLECHAR* text, LCID lcid, ULONG flags, LONG* out) {
  (void)flags;  // user overrides do not exist here
  if (out == nullptr) return E_INVALIDARG;
  VARIANT result;
  const HRESULT hr = ebank::platform::ParseNumberText(text, lcid, VTBIT_I4, &result);
  if (SUCCEEDED(hr)) *out = result.lVal;
  return hr;
}

extern "C" HRESULT VarR8FromStr(const OLECHAR* text, LCID lcid, ULONG flags, DOUBLE* out) {
  (void)flags;
  if (out == nullptr) return E_INVALIDARG;
  VARIANT result;
  const HRESULT hr = ebank::platform::ParseNumberText(text, lcid, VTBIT_R8, &result);
  if (SUCCEEDED(hr)) *out = result.dblVal;
  return hr;
}

extern "C" HRESULT VarBstrFromI4(LONG value, LCID lcid, ULONG flags, BSTR* out) {
  (void)lcid;
  (void)flags;
  return ebank::platform::ReturnBstr(std::to_wstring(value), out);
}

extern "C" HRESULT VarBstrFromR8(DOUBLE value, LCID lcid, ULONG flags, BSTR* out) {
  (void)flags;
  char text[40];
  std::snprintf(text, sizeof text, "%.15G", value);
  const wchar_t separator = ebank::platform::GetLocaleInfoFor(lcid).decimal_separator;
  std::wstring wide;
  for (const char* p = text; *p != 0; ++p) wide += *p == '.' ? separator : static_cast<wchar_t>(*p);
  return ebank::platform::ReturnBstr(wide, out);
}
