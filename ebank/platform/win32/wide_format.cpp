#include "ebank/platform/win32/wide_format.h"

#include "ebank/platform/win32/internal/format_engine.h"

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
  return ebank::platform::FormatRuntimeText(out, count, format, args);
}

int _snwprintf(wchar_t* out, std::size_t count, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  const int length = _vsnwprintf(out, count, format, args);
  va_end(args);
  return length;
}

}  // extern "C"
