#include "ebank/platform/win32/wide_format.h"

#include <climits>

#include "ebank/platform/win32/format_engine.h"

namespace {

using ebank::platform::BoundedOutput;
using ebank::platform::FormatDialect;
using ebank::platform::FormatEngine;

}  // namespace

extern "C" {

int wvsprintfW(LPWSTR out, LPCWSTR format, va_list args) {
  return ebank::platform::FormatWindowsText(out, format, args);
}

int wsprintfW(LPWSTR out, LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  const int length = wvsprintfW(out, format, args);
  va_end(args);
  return length;
}

int _vsnwprintf(wchar_t* out, std::size_t count, const wchar_t* format, va_list args) {
  if (format == nullptr || (out == nullptr && count != 0)) return -1;
  BoundedOutput<wchar_t> output(out, count);
  va_list copy;
  va_copy(copy, args);
  FormatEngine<wchar_t>(output, FormatDialect::kRuntime).Run(format, &copy);
  va_end(copy);
  // A null buffer of size 0 asks for the length the text needs.
  if (output.measures_only() && out == nullptr) {
    return output.total() > INT_MAX ? -1 : static_cast<int>(output.total());
  }
  if (output.truncated() || output.written() > INT_MAX) return -1;
  if (output.written() < count) out[output.written()] = 0;
  return static_cast<int>(output.written());
}

int _snwprintf(wchar_t* out, std::size_t count, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = _vsnwprintf(out, count, format, args);
  va_end(args);
  return length;
}

}  // extern "C"
