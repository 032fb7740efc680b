#include "ebank/core/copy_bstr.h"

#include "ebank/core/raise.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace ddCOM {

wchar_t* CopyBSTR(wchar_t* const source) {
  if (source == nullptr) return nullptr;
  BSTR copy =
      SysAllocStringByteLen(reinterpret_cast<const char*>(source), SysStringByteLen(source));
  if (copy == nullptr) RaiseHResult(E_OUTOFMEMORY);
  return copy;
}

void CopyBSTRToCharBuf(wchar_t* const source, char* destination, unsigned int limit) {
  if (destination == nullptr) return;
  if (source == nullptr) {
    destination[0] = '\0';
    return;
  }
  // The allocator terminates every BSTR, so the unit after the text is NUL.
  std::size_t count = std::size_t{SysStringLen(source)} + 1;
  if (limit != 0 && count >= limit) count = limit;
  for (std::size_t i = 0; i < count; ++i) destination[i] = static_cast<char>(source[i]);
}

}  // namespace ddCOM
