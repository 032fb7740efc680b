#include "tools/ebank/text.h"

#include <climits>

#include "ebank/platform/win32/code_page.h"
#include "tools/ebank/tool_error.h"

namespace ebank::tool {
namespace {

int CheckedCount(std::size_t size) {
  if (size > INT_MAX / 4) throw ToolError("text too long");
  return static_cast<int>(size);
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int count = CheckedCount(text.size());
  const int needed =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), count, nullptr, 0);
  if (needed <= 0) throw ToolError("the text is not valid UTF-8");
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), count, wide.data(), needed);
  return wide;
}

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int count = CheckedCount(text.size());
  const int needed =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), count, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string(text.size(), '?');
  std::string narrow(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), count, narrow.data(), needed, nullptr, nullptr);
  return narrow;
}

std::string WideToUtf8(const wchar_t* text) {
  return text == nullptr ? std::string() : WideToUtf8(std::wstring_view(text));
}

}  // namespace ebank::tool
