#include "ebank/platform/oleaut/var_decimal.h"

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/internal/bstr_result.h"
#include "ebank/platform/oleaut/internal/exact_number.h"
#include "ebank/platform/oleaut/locale_info.h"

extern "C" HRESULT VarBstrFromDec(const DECIMAL* value, LCID lcid, ULONG flags, BSTR* out) {
  (void)flags;  // user overrides do not exist here
  if (value == nullptr || value->scale > 28) return E_INVALIDARG;
  const wchar_t separator = ebank::platform::GetLocaleInfoFor(lcid).decimal_separator;
  return ebank::platform::ReturnBstr(
      ebank::platform::ExactToText(ebank::platform::ExactFromDecimal(*value), separator), out);
}
