// CAtlException, the exception object of the ATL-style helpers: it carries the
// HRESULT of the failure (E_OUTOFMEMORY when an allocation failed).
#ifndef EBANK_PLATFORM_COM_ATL_EXCEPTION_H_
#define EBANK_PLATFORM_COM_ATL_EXCEPTION_H_

#include "ebank/platform/export.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/types.h"

class EBANK_EXPORT CAtlException {
 public:
  CAtlException() noexcept : m_hr(E_FAIL) {}
  explicit CAtlException(HRESULT hr) noexcept : m_hr(hr) {}
  operator HRESULT() const noexcept { return m_hr; }

  HRESULT m_hr;
};

// Throws CAtlException(hr).
[[noreturn]] EBANK_EXPORT void AtlThrow(HRESULT hr);

#endif  // EBANK_PLATFORM_COM_ATL_EXCEPTION_H_
