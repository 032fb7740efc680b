#include "ebank/platform/oleaut/var_number.h"

#include <cstdio>
#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/internal/bstr_result.h"
#include "ebank/platform/oleaut/locale_info.h"

extern "C" HRESULT VarBstrFromR8(DOUBLE value, LCID lcid, ULONG flags, BSTR* out) {
  (void)flags;  // user overrides do not exist here
  char text[40];
  std::snprintf(text, sizeof text, "%.15G", value);
  const wchar_t separator = ebank::platform::GetLocaleInfoFor(lcid).decimal_separator;
  std::wstring wide;
  for (const char* p = text; *p != 0; ++p) wide += *p == '.' ? separator : static_cast<wchar_t>(*p);
  return ebank::platform::ReturnBstr(wide, out);
}
