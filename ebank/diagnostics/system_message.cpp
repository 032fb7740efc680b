#include "ebank/diagnostics/system_message.h"

#include "ebank/platform/win32/format_message.h"
#include "ebank/platform/win32/local_memory.h"

namespace ebank::diagnostics {
namespace {

constexpr DWORD kUserDefaultLanguage = 0x400;

}  // namespace

SystemMessage::SystemMessage(DWORD code) {
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
