#include "ebank/diagnostics/internal/clock_text.h"

#include <cstring>
#include <ctime>

namespace ebank::diagnostics {
namespace {

void FormatLocal(std::time_t when, const char* form, char (&text)[kClockTextSize]) {
  std::tm local{};
  if (localtime_r(&when, &local) == nullptr ||
      std::strftime(text, sizeof(text), form, &local) == 0) {
    text[0] = '\0';
  }
}

}  // namespace

void FormatTimeOfDay(char (&text)[kClockTextSize]) {
  // Entries written within one second share the converted time, which keeps
  // the local-time conversion off the path of most entries.
  struct Converted {
    std::time_t when = -1;
    char text[kClockTextSize] = "";
  };
  thread_local Converted converted;  // one thread-local lookup per entry
  const std::time_t now = std::time(nullptr);
  if (now != converted.when) {
    FormatLocal(now, "%H:%M:%S", converted.text);
    converted.when = now;
  }
  std::memcpy(text, converted.text, sizeof(text));
}

void FormatDate(char (&text)[kClockTextSize]) {
  FormatLocal(std::time(nullptr), "%m/%d/%y", text);
}

}  // namespace ebank::diagnostics
