#include "ebank/xml/xml_path.h"

#include "ebank/platform/win32/wide_format.h"

namespace ddXML::internal {

JoinedPath::JoinedPath(const wchar_t* path, const wchar_t* parentPath) : path_(path) {
  if (parentPath == nullptr) return;
  joined_.AppendFormat("%ws/%ws", parentPath, path);
  path_ = joined_.ByVal();
}

FormattedPath::FormattedPath(const wchar_t* format, va_list args) {
  if (format == nullptr || format[0] == L'\0') return;
  // The last character stays the terminator whatever the formatter writes.
  _vsnwprintf(buffer_, kCapacity - 1, format, args);
}

}  // namespace ddXML::internal
