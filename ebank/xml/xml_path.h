// The effective XPath of a CXmlClass query: a path joined to its parent path,
// or a path formatted from a wide printf format. Internal to the library.
#ifndef EBANK_XML_XML_PATH_H_
#define EBANK_XML_XML_PATH_H_

#include <cstdarg>

#include "ebank/core/bstring.h"

namespace ddXML::internal {

// "parent/path" when a parent path is given, formed with the narrow formatter
// (so both parts pass the ANSI code page and the result keeps at most 1023
// characters); otherwise the path itself, not copied.
class JoinedPath {
 public:
  JoinedPath(const wchar_t* path, const wchar_t* parentPath);
  JoinedPath(const JoinedPath&) = delete;
  JoinedPath& operator=(const JoinedPath&) = delete;

  const wchar_t* get() const { return path_; }

 private:
  ddCOM::BString<wchar_t> joined_;
  const wchar_t* path_;
};

// A path formatted from `format` into at most 1023 characters; longer output
// is cut there. Null or empty formats give no path: `empty()` is true.
class FormattedPath {
 public:
  FormattedPath(const wchar_t* format, va_list args);
  FormattedPath(const FormattedPath&) = delete;
  FormattedPath& operator=(const FormattedPath&) = delete;

  bool empty() const { return buffer_[0] == L'\0'; }
  const wchar_t* get() const { return buffer_; }

 private:
  static constexpr int kCapacity = 1024;
  wchar_t buffer_[kCapacity] = {};
};

}  // namespace ddXML::internal

#endif  // EBANK_XML_XML_PATH_H_
