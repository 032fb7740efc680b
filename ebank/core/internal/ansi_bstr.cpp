#include "ebank/core/internal/ansi_bstr.h"

#include <cstring>

#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/win32/code_page.h"

namespace ddCOM::internal {

namespace {
constexpr std::size_t kMaxCharacters = 0x3FFFFFFF;
}  // namespace

BSTR BstrFromAnsi(const char* text) {
  if (text == nullptr || std::strlen(text) + 1 > kMaxCharacters) return nullptr;
  // Both counts include the terminator.
  const int count = MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
  if (count <= 0) return nullptr;
  BSTR bstr = SysAllocStringLen(nullptr, static_cast<UINT>(count - 1));
  if (bstr == nullptr) return nullptr;
  if (MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, bstr, count) != count) {
    SysFreeString(bstr);
    return nullptr;
  }
  return bstr;
}

}  // namespace ddCOM::internal
