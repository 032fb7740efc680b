#include "ebank/platform/win32/wvsprintf.h"

#include "ebank/platform/win32/internal/format_engine.h"

extern "C" {

int wvsprintfA(LPSTR out, LPCSTR format, va_list args) {
  return ebank::platform::FormatWindowsText(out, format, args);
}

int wsprintfA(LPSTR out, LPCSTR format, ...) {
  va_list args;
  va_start(args, format);
  const int length = wvsprintfA(out, format, args);
  va_end(args);
  return length;
}

}  // extern "C"
