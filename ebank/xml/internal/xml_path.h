// The effective XPath of a CXmlClass query: a path joined to its parent path,
// or a path formatted from a wide printf format. Internal to the library.
#ifndef EBANK_XML_INTERNAL_XML_PATH_H_
#define EBANK_XML_INTERNAL_XML_PATH_H_

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
// is cut there. A null or empty format is not formatted at all: `formatted()`
// is false, and the queries answer as for a missing node. A format whose
// output is empty gives the empty path, which is queried like any other.
class FormattedPath {
 public:
  FormattedPath(const wchar_t* format, va_list args);
  FormattedPath(const FormattedPath&) = delete;
  FormattedPath& operator=(const FormattedPath&) = delete;

  bool formatted() const { return formatted_; }
  const wchar_t* get() const { return buffer_; }

 private:
  static constexpr int kCapacity = 1024;
  bool formatted_ = false;
  wchar_t buffer_[kCapacity] = {};
};

// Whether `path` selects elements by their names alone, along the child and
// descendant axes: steps of names or "*" joined by "/" or "//", optionally
// after a leading "/", "//", "./" or ".//" ("KONTO", "A/*//VALUE", "/KONTEN").
// No predicates, functions, other axes, attributes, "." or ".." steps: so
// whether an element matches depends on it and its ancestors only.
bool IsElementNamePath(const wchar_t* path);

}  // namespace ddXML::internal

#endif  // EBANK_XML_INTERNAL_XML_PATH_H_
