// Debugger output and message boxes, routed to replaceable sinks.
//
// There is no debugger or window system here: by default debugger output goes
// to standard error and a message box prints its caption and text there
// without waiting. Tests install capturing sinks.
#ifndef EBANK_PLATFORM_WIN32_DEBUG_OUTPUT_H_
#define EBANK_PLATFORM_WIN32_DEBUG_OUTPUT_H_

#include <functional>
#include <string_view>

#include "ebank/platform/export.h"
#include "ebank/platform/types.h"

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr UINT MB_ICONWARNING = 0x00000030;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000;
inline constexpr UINT MB_TOPMOST = 0x00040000;
inline constexpr int IDOK = 1;

extern "C" {

// Sends `text` to the debug-output sink; null is ignored.
EBANK_EXPORT void OutputDebugStringA(LPCSTR text);
// Shows `text` under `caption` through the message-box sink (null counts as
// empty) and answers IDOK.
EBANK_EXPORT int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

}  // extern "C"

namespace ebank::platform {

using DebugOutputSink = std::function<void(std::string_view text)>;
using MessageBoxSink =
    std::function<void(std::string_view caption, std::string_view text, UINT type)>;

// Install a sink and return the previous one; an empty function restores the
// default. Safe to call while other threads write.
EBANK_EXPORT DebugOutputSink SetDebugOutputSink(DebugOutputSink sink);
EBANK_EXPORT MessageBoxSink SetMessageBoxSink(MessageBoxSink sink);

}  // namespace ebank::platform

#endif  // EBANK_PLATFORM_WIN32_DEBUG_OUTPUT_H_
