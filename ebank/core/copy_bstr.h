// Copies of BSTRs: a full-length BSTR copy and a narrowing copy into a char
// buffer that keeps the low byte of every character.
#ifndef EBANK_CORE_COPY_BSTR_H_
#define EBANK_CORE_COPY_BSTR_H_

#include "ebank/platform/export.h"

namespace ddCOM {

// A new BSTR with the source's full byte length (embedded NULs and odd byte
// counts kept), owned by the caller; null for null. Raises
// ddCOM::Exception(E_OUTOFMEMORY) when the copy cannot be allocated.
EBANK_EXPORT wchar_t* CopyBSTR(wchar_t* const source);

// Writes the low byte of each character of `source` and its terminator into
// `destination`. A `limit` above 0 caps the bytes written; when the text does
// not fit, exactly `limit` bytes are written and no terminator. A null source
// writes a single 0 byte; a null destination writes nothing.
EBANK_EXPORT void CopyBSTRToCharBuf(wchar_t* const source, char* destination, unsigned int limit);

}  // namespace ddCOM

#endif  // EBANK_CORE_COPY_BSTR_H_
