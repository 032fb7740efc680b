// The BSTR allocator: length-prefixed wide strings of OLE Automation.
//
// A BSTR points at its first wchar_t; the four bytes before it hold the byte
// length, and a NUL unit follows the text. Null is a valid empty string that
// every function accepts. Allocation failure yields null. A string that
// grows by SysReAllocStringLen keeps spare room behind it, so that repeated
// growth mostly happens in place.
#ifndef EBANK_PLATFORM_OLEAUT_BSTR_H_
#define EBANK_PLATFORM_OLEAUT_BSTR_H_

#include <cstdint>
#include <cstring>

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

extern "C" {

// Copies `text` up to its first NUL; null gives null.
EBANK_EXPORT BSTR SysAllocString(const OLECHAR* text);
// Allocates `length` characters, copied from `text` when it is not null
// (otherwise left uninitialised).
EBANK_EXPORT BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// Allocates `byte_length` bytes, copied from `bytes` when it is not null.
// Odd byte counts are kept; the result is NUL-terminated after the bytes.
EBANK_EXPORT BSTR SysAllocStringByteLen(const char* bytes, UINT byte_length);
EBANK_EXPORT void SysFreeString(BSTR text);
// Number of wide characters: the stored byte count / sizeof(OLECHAR); 0 for null.
EBANK_EXPORT UINT SysStringLen(BSTR text);
// The stored byte count; 0 for null.
EBANK_EXPORT UINT SysStringByteLen(BSTR text);
// Replaces *text by a copy of `source` (Windows returns FALSE on failure).
EBANK_EXPORT BOOL SysReAllocString(BSTR* text, const OLECHAR* source);
// Resizes *text to `length` characters, in place when its block has room.
// With a `source` (which may point into *text) the characters are copied from
// it; without one the old characters that fit are kept and the rest is left
// uninitialised. On failure (FALSE) *text is unchanged.
EBANK_EXPORT BOOL SysReAllocStringLen(BSTR* text, const OLECHAR* source, UINT length);

}  // extern "C"

namespace ebank::platform {

// SysStringLen without the call: the length read from the BSTR's byte-length
// prefix, for inline code that asks for it on every append.
inline UINT BstrLength(BSTR text) {
  if (text == nullptr) return 0;
  std::uint32_t byte_length;
  std::memcpy(&byte_length, reinterpret_cast<const char*>(text) - sizeof byte_length,
              sizeof byte_length);
  return byte_length / sizeof(OLECHAR);
}

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_OLEAUT_BSTR_H_
