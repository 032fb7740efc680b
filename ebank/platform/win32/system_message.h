// The English system message texts that FormatMessageA returns for the
// HRESULTs and Win32 error codes of the platform layer.
#ifndef EBANK_PLATFORM_WIN32_SYSTEM_MESSAGE_H_
#define EBANK_PLATFORM_WIN32_SYSTEM_MESSAGE_H_

#include <optional>
#include <string_view>

#include "ebank/platform/types.h"

namespace ebank::platform {

// The text for `code`, ending in "\r\n", or nullopt for an unknown code. A
// failing HRESULT of FACILITY_WIN32 finds its Win32 code's text.
std::optional<std::string_view> SystemMessageText(DWORD code);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_SYSTEM_MESSAGE_H_
