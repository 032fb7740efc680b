// The English system message texts that FormatMessageA returns for Win32 error
// codes and HRESULTs, read from the table in system_messages.txt.
#ifndef EBANK_PLATFORM_WIN32_INTERNAL_SYSTEM_MESSAGE_H_
#define EBANK_PLATFORM_WIN32_INTERNAL_SYSTEM_MESSAGE_H_

#include <optional>
#include <string_view>

#include "ebank/platform/types.h"

namespace ebank::platform {

// The text for `code` without a line end, or nullopt for an unknown code. A
// failing HRESULT of FACILITY_WIN32 finds its Win32 code's text.
std::optional<std::string_view> SystemMessageText(DWORD code);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_INTERNAL_SYSTEM_MESSAGE_H_
