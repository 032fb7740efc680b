#include "ebank/platform/win32/internal/system_message.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "ebank/platform/hresult.h"

namespace ebank::platform {
namespace {

struct SystemMessage {
  DWORD code;
  std::string_view text;
};

// The whole of system_messages.txt; the build copies it into this literal.
constexpr std::string_view kTableText =
#include "ebank/platform/win32/system_messages.inc"
    ;

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code at the start of an entry line ("123" or "0x8007000E"), followed by
// exactly one blank; `rest` becomes the text after it. A malformed line
// throws, which fails the build while the table is parsed at compile time.
constexpr DWORD ParseCode(std::string_view line, std::string_view& rest) {
  const bool hex = line.starts_with("0x");
  std::size_t at = hex ? 2 : 0;
  std::uint64_t code = 0;
  const std::size_t first_digit = at;
  for (; at < line.size() && line[at] != ' '; ++at) {
    const int digit = hex ? HexDigit(line[at]) : IsDigit(line[at]) ? line[at] - '0' : -1;
    if (digit < 0) throw "system_messages.txt: a code holds a character that is no digit";
    code = code * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (code > UINT32_MAX) throw "system_messages.txt: a code does not fit 32 bits";
  }
  if (at == first_digit) throw "system_messages.txt: a line has no code";
  rest = line.substr(std::min(at + 1, line.size()));
  if (rest.empty() || rest.front() == ' ' || rest.back() == ' ' || rest.back() == '\r') {
    throw "system_messages.txt: a code is not followed by one blank and a trimmed text";
  }
  return static_cast<DWORD>(code);
}

// Calls `take` with each entry of the table, in file order.
template <typename Take>
constexpr void ForEachEntry(std::string_view table, Take take) {
  while (!table.empty()) {
    const std::size_t end = std::min(table.find('\n'), table.size());
    const std::string_view line = table.substr(0, end);
    table.remove_prefix(std::min(end + 1, table.size()));
    if (line.empty() || line.front() == '#') continue;
    std::string_view text;
    const DWORD code = ParseCode(line, text);
    take(SystemMessage{code, text});
  }
}

constexpr std::size_t CountEntries(std::string_view table) {
  std::size_t count = 0;
  ForEachEntry(table, [&](const SystemMessage&) { ++count; });
  return count;
}

// The entries sorted by code, for binary search.
constexpr auto kMessages = [] {
  std::array<SystemMessage, CountEntries(kTableText)> messages{};
  std::size_t next = 0;
  ForEachEntry(kTableText, [&](const SystemMessage& message) { messages[next++] = message; });
  std::sort(messages.begin(), messages.end(),
            [](const SystemMessage& a, const SystemMessage& b) { return a.code < b.code; });
  return messages;
}();

static_assert(std::adjacent_find(kMessages.begin(), kMessages.end(),
                                 [](const SystemMessage& a, const SystemMessage& b) {
                                   return a.code == b.code;
                                 }) == kMessages.end(),
              "system_messages.txt lists a code twice");
static_assert(std::none_of(kMessages.begin(), kMessages.end(),
                           [](const SystemMessage& message) {
                             const auto hr = static_cast<HRESULT>(message.code);
                             return FAILED(hr) && HRESULT_FACILITY(hr) == FACILITY_WIN32;
                           }),
              "system_messages.txt: list a FACILITY_WIN32 HRESULT by its Win32 code");

std::optional<std::string_view> Find(DWORD code) {
  const auto found = std::lower_bound(
      kMessages.begin(), kMessages.end(), code,
      [](const SystemMessage& message, DWORD wanted) { return message.code < wanted; });
  if (found == kMessages.end() || found->code != code) return std::nullopt;
  return found->text;
}

}  // namespace

std::optional<std::string_view> SystemMessageText(DWORD code) {
  if (std::optional<std::string_view> text = Find(code)) return text;
  const auto hr = static_cast<HRESULT>(code);
  if (FAILED(hr) && HRESULT_FACILITY(hr) == FACILITY_WIN32) return Find(HRESULT_CODE(hr));
  return std::nullopt;
}

}  // namespace ebank::platform
