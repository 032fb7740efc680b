#include "tools/ebank/output.h"

#include <cstdio>

#include "tools/ebank/text.h"

namespace ebank::tool {
namespace {

constexpr int kLabelColumn = 26;

}  // namespace

void PrintField(std::string_view label, std::string_view value, int indent) {
  const int width = kLabelColumn - indent;
  std::printf("%*s%-*.*s %.*s\n", indent, "", width < 1 ? 1 : width, static_cast<int>(label.size()),
              label.data(), static_cast<int>(value.size()), value.data());
}

void PrintField(std::string_view label, const wchar_t* value, int indent) {
  PrintField(label, WideToUtf8(value), indent);
}

void PrintLine(std::string_view text, int indent) {
  std::printf("%*s%.*s\n", indent, "", static_cast<int>(text.size()), text.data());
}

void PrintHeading(std::string_view heading) {
  std::printf("%.*s\n", static_cast<int>(heading.size()), heading.data());
}

void PrintError(std::string_view message) {
  std::fflush(stdout);
  std::fprintf(stderr, "ebank: %.*s\n", static_cast<int>(message.size()), message.data());
}

void PrintWarning(std::string_view message) {
  PrintError("warning: " + std::string(message));
}

std::string HResultText(HRESULT hresult) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hresult));
  return text;
}

std::string CalendarText(const SYSTEMTIME& time, bool with_time) {
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", unsigned{time.wYear}, unsigned{time.wMonth},
                unsigned{time.wDay});
  std::string result = text;
  if (with_time) {
    std::snprintf(text, sizeof text, " %02u:%02u:%02u", unsigned{time.wHour},
                  unsigned{time.wMinute}, unsigned{time.wSecond});
    result += text;
  }
  return result;
}

const char* YesNo(bool value) {
  return value ? "yes" : "no";
}

}  // namespace ebank::tool
