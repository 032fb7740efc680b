#include "ebank/platform/com/atl_bstr.h"

#include "ebank/platform/com/atl_exception.h"
#include "ebank/platform/oleaut/bstr.h"

namespace {

// Null in gives null out; a null copy of a real string is out of memory.
BSTR CheckedCopy(LPCOLESTR source, BSTR copy) {
  if (source != nullptr && copy == nullptr) AtlThrow(E_OUTOFMEMORY);
  return copy;
}

BSTR CopyUpToNul(LPCOLESTR text) {
  return CheckedCopy(text, SysAllocString(text));
}

BSTR CopyByteLength(BSTR bstr) {
  if (bstr == nullptr) return nullptr;
  return CheckedCopy(
      bstr, SysAllocStringByteLen(reinterpret_cast<const char*>(bstr), SysStringByteLen(bstr)));
}

}  // namespace

void AtlThrow(HRESULT hr) {
  throw CAtlException(hr);
}

CComBSTR::CComBSTR(LPCOLESTR text) : m_str(CopyUpToNul(text)) {}

CComBSTR::CComBSTR(const CComBSTR& other) : m_str(CopyByteLength(other.m_str)) {}

CComBSTR::~CComBSTR() {
  SysFreeString(m_str);
}

CComBSTR& CComBSTR::operator=(LPCOLESTR text) {
  if (text != m_str) Attach(CopyUpToNul(text));
  return *this;
}

CComBSTR& CComBSTR::operator=(const CComBSTR& other) {
  if (other.m_str != m_str) Attach(CopyByteLength(other.m_str));
  return *this;
}

unsigned int CComBSTR::Length() const noexcept {
  return SysStringLen(m_str);
}

BSTR CComBSTR::Copy() const {
  return CopyByteLength(m_str);
}

void CComBSTR::Empty() noexcept {
  SysFreeString(m_str);
  m_str = nullptr;
}

void CComBSTR::Attach(BSTR bstr) noexcept {
  SysFreeString(m_str);
  m_str = bstr;
}

BSTR CComBSTR::Detach() noexcept {
  BSTR bstr = m_str;
  m_str = nullptr;
  return bstr;
}
