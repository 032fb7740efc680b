#include "ebank/xml/internal/xml_path.h"

#include <string_view>

#include "ebank/platform/win32/wide_format.h"

namespace ddXML::internal {
namespace {

bool IsNameStart(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || c >= 0x80;
}

bool IsNameChar(wchar_t c) {
  return IsNameStart(c) || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.';
}

// Takes one step ("*" or a name) off the front of `path`.
bool ConsumeStep(std::wstring_view& path) {
  if (path.starts_with(L'*')) {
    path.remove_prefix(1);
    return true;
  }
  if (path.empty() || !IsNameStart(path.front())) return false;
  std::size_t length = 1;
  while (length < path.size() && IsNameChar(path[length])) ++length;
  path.remove_prefix(length);
  return true;
}

// Takes "/" or "//" off the front of `path`.
bool ConsumeSeparator(std::wstring_view& path) {
  if (!path.starts_with(L'/')) return false;
  path.remove_prefix(path.starts_with(L"//") ? 2 : 1);
  return true;
}

}  // namespace

JoinedPath::JoinedPath(const wchar_t* path, const wchar_t* parentPath) : path_(path) {
  if (parentPath == nullptr) return;
  joined_.AppendFormat("%ws/%ws", parentPath, path);
  path_ = joined_.ByVal();
}

FormattedPath::FormattedPath(const wchar_t* format, va_list args) {
  if (format == nullptr || format[0] == L'\0') return;
  formatted_ = true;
  // The last character stays the terminator whatever the formatter writes.
  _vsnwprintf(buffer_, kCapacity - 1, format, args);
}

bool IsElementNamePath(const wchar_t* path) {
  if (path == nullptr) return false;
  std::wstring_view rest(path);
  if (rest.starts_with(L"./") || rest.starts_with(L"/")) {
    if (rest.starts_with(L'.')) rest.remove_prefix(1);
    ConsumeSeparator(rest);
  }
  if (!ConsumeStep(rest)) return false;
  while (!rest.empty()) {
    if (!ConsumeSeparator(rest) || !ConsumeStep(rest)) return false;
  }
  return true;
}

}  // namespace ddXML::internal
