// Hands a computed text back as a newly allocated BSTR out-parameter, the last
// step of every To-text conversion of the automation layer.
#ifndef EBANK_PLATFORM_OLEAUT_INTERNAL_BSTR_RESULT_H_
#define EBANK_PLATFORM_OLEAUT_INTERNAL_BSTR_RESULT_H_

#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ebank::platform {

inline HRESULT ReturnBstr(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_INTERNAL_BSTR_RESULT_H_
