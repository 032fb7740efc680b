// CComBSTR, the ATL-style owner of one BSTR: assignment from wide text copies up
// to the first NUL, copying from another holder keeps the full byte length, and
// a failed allocation throws CAtlException(E_OUTOFMEMORY).
#ifndef EBANK_PLATFORM_COM_ATL_BSTR_H_
#define EBANK_PLATFORM_COM_ATL_BSTR_H_

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

class EBANK_EXPORT CComBSTR {
 public:
  CComBSTR() noexcept = default;
  // Copies `text` up to its first NUL; null gives null.
  CComBSTR(LPCOLESTR text);
  CComBSTR(const CComBSTR& other);
  ~CComBSTR();

  // Assigning the held string's own pointer does nothing. The copy is made
  // before the old string is freed, so text pointing into the held string is
  // safe and a failed allocation keeps the old string.
  CComBSTR& operator=(LPCOLESTR text);
  CComBSTR& operator=(const CComBSTR& other);

  operator BSTR() const noexcept { return m_str; }
  // Number of characters: the byte length / sizeof(OLECHAR); 0 for null.
  unsigned int Length() const noexcept;
  // A full-length copy that the caller owns (null for null).
  BSTR Copy() const;
  void Empty() noexcept;
  // Takes ownership of `bstr`, freeing the held string.
  void Attach(BSTR bstr) noexcept;
  // Hands the held string to the caller; the holder becomes null.
  BSTR Detach() noexcept;

  BSTR m_str = nullptr;
};

#endif  // EBANK_PLATFORM_COM_ATL_BSTR_H_
