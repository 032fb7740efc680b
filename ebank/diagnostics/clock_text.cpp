#include "ebank/diagnostics/clock_text.h"

#include <ctime>

namespace ebank::diagnostics {
namespace {

void FormatNow(const char* form, char (&text)[kClockTextSize]) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr ||
      std::strftime(text, sizeof(text), form, &local) == 0) {
    text[0] = '\0';
  }
}

}  // namespace

void FormatTimeOfDay(char (&text)[kClockTextSize]) {
  FormatNow("%H:%M:%S", text);
}

void FormatDate(char (&text)[kClockTextSize]) {
  FormatNow("%m/%d/%y", text);
}

}  // namespace ebank::diagnostics
