#include "ebank/diagnostics/internal/system_message.h"

#include "ebank/platform/win32/format_message.h"
#include "ebank/platform/win32/internal/saved_last_error.h"
#include "ebank/platform/win32/local_memory.h"

namespace ebank::diagnostics {
namespace {

constexpr DWORD kUserDefaultLanguage = 0x400;

}  // namespace

// An unknown code leaves no ERROR_MR_MID_NOT_FOUND behind for the next entry.
SystemMessage::SystemMessage(DWORD code) {
  const platform::SavedLastError keep_callers_error;
  if (FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, kUserDefaultLanguage, reinterpret_cast<LPSTR>(&text_), 0,
                     nullptr) == 0) {
    LocalFree(text_);
    text_ = nullptr;
  }
}

SystemMessage::~SystemMessage() {
  LocalFree(text_);
}

}  // namespace ebank::diagnostics
