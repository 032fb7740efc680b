#include "ebank/platform/win32/format_message.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ebank/platform/hresult.h"
#include "ebank/platform/win32/internal/bounded_output.h"
#include "ebank/platform/win32/internal/format_engine.h"
#include "ebank/platform/win32/internal/system_message.h"
#include "ebank/platform/win32/last_error.h"

namespace {

using ebank::platform::BoundedOutput;
using ebank::platform::FormatDialect;
using ebank::platform::FormatEngine;

// The longest "!conversion!" an insert may carry.
constexpr std::size_t kMaxInsertFormat = 32;

DWORD Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

std::nullopt_t NoText(DWORD error) {
  SetLastError(error);
  return std::nullopt;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The insert number of "%NN" at text[i] (the character after '%'), up to two
// digits; sets `length` to the digits read. 0 for none.
int InsertNumber(std::string_view text, std::size_t i, std::size_t& length) {
  int number = 0;
  length = 0;
  while (length < 2 && i + length < text.size() && IsDigit(text[i + length])) {
    number = number * 10 + (text[i + length] - '0');
    ++length;
  }
  return number;
}

int HighestInsert(std::string_view text) {
  int highest = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    std::size_t length;
    const int number = InsertNumber(text, i + 1, length);
    if (number > highest) highest = number;
    i += length == 0 ? 1 : length;
  }
  return highest;
}

// The insert values %1..%N. A va_list is read one pointer-sized slot per
// insert, in order, as Windows does; an argument array holds the slots.
std::vector<std::uintptr_t> ReadInserts(va_list* arguments, bool is_array, int count) {
  std::vector<std::uintptr_t> values(static_cast<std::size_t>(count));
  const auto* array = reinterpret_cast<const std::uintptr_t*>(arguments);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = is_array ? array[i] : va_arg(*arguments, std::uintptr_t);
  }
  return values;
}

// Formats one argument with the C-runtime rules into `out`.
void AppendFormatted(std::string& out, const char* format, ...) {
  char buffer[ebank::platform::kWindowsFormatBufferSize];
  BoundedOutput<char> output(buffer, sizeof buffer);
  va_list args;
  va_start(args, format);
  FormatEngine<char, FormatDialect::kRuntime>(output).Run(format, &args);
  va_end(args);
  out.append(buffer, output.written());
}

// Inserts `value` as the printf `conversion` ("s" when none was given).
void AppendInsert(std::string& out, std::string_view conversion, std::uintptr_t value) {
  if (conversion == "s") {
    const char* text = reinterpret_cast<const char*>(value);
    out.append(text != nullptr ? text : "(null)");
    return;
  }
  std::string format(1, '%');
  format.append(conversion);
  const char type = conversion.back();
  const bool wide_integer = conversion.find("I64") != std::string_view::npos ||
                            conversion.find("ll") != std::string_view::npos;
  if (type == 's' || type == 'S' || type == 'p') {
    AppendFormatted(out, format.c_str(), reinterpret_cast<const void*>(value));
  } else if (wide_integer) {
    AppendFormatted(out, format.c_str(), static_cast<unsigned long long>(value));
  } else {
    AppendFormatted(out, format.c_str(), static_cast<unsigned>(value));
  }
}

// Whether `conversion` is exactly one printf conversion without the '%': flags,
// width, precision, a size prefix and the type. Anything more could read
// arguments the insert does not have.
bool IsSingleConversion(std::string_view conversion) {
  std::size_t i = conversion.find_first_not_of("-#0");
  if (i == std::string_view::npos) return false;
  i = conversion.find_first_not_of("0123456789", i);
  if (i != std::string_view::npos && conversion[i] == '.')
    i = conversion.find_first_not_of("0123456789", i + 1);
  if (i == std::string_view::npos) return false;
  for (const std::string_view prefix : {"ll", "I64", "I32", "h", "l", "w"}) {
    if (conversion.substr(i, prefix.size()) == prefix) {
      i += prefix.size();
      break;
    }
  }
  return i + 1 == conversion.size() &&
         std::string_view("diouxXcCsSp").find(conversion[i]) != std::string_view::npos;
}

// The "!conversion!" after an insert number at text[i], if well formed.
std::optional<std::string_view> InsertConversion(std::string_view text, std::size_t i) {
  if (i >= text.size() || text[i] != '!') return std::nullopt;
  const std::size_t end = text.find('!', i + 1);
  if (end == std::string_view::npos || end == i + 1 || end - i - 1 > kMaxInsertFormat) {
    return std::nullopt;
  }
  const std::string_view conversion = text.substr(i + 1, end - i - 1);
  if (!IsSingleConversion(conversion)) return std::nullopt;
  return conversion;
}

// The character an escape "%c" stands for (other than inserts and %0).
std::string_view EscapeText(char c) {
  switch (c) {
    case 'n':
      return "\r\n";
    case 'r':
      return "\r";
    case 't':
      return "\t";
    default:
      return std::string_view();
  }
}

class MessageExpander {
 public:
  MessageExpander(bool ignore_inserts, bool join_lines, const std::vector<std::uintptr_t>& inserts)
      : ignore_inserts_(ignore_inserts), join_lines_(join_lines), inserts_(inserts) {}

  std::string Expand(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
      if (text[i] == '%') {
        if (i + 1 >= text.size() || text[i + 1] == '0') break;  // %0 ends the text
        i = Escape(text, i + 1, out);
      } else if (join_lines_ && (text[i] == '\r' || text[i] == '\n')) {
        // Regular line breaks count as one blank each.
        i += text.compare(i, 2, "\r\n") == 0 ? 2 : 1;
        out.push_back(' ');
      } else {
        out.push_back(text[i++]);
      }
    }
    return out;
  }

 private:
  // Expands the escape whose first character is text[i]; returns the next index.
  std::size_t Escape(std::string_view text, std::size_t i, std::string& out) {
    std::size_t digits;
    const int number = InsertNumber(text, i, digits);
    if (number == 0) {
      const std::string_view replacement = EscapeText(text[i]);
      if (replacement.empty()) {
        out.push_back(text[i]);
      } else {
        out.append(replacement);
      }
      return i + 1;
    }
    if (ignore_inserts_) {
      out.append(text.substr(i - 1, digits + 1));
      return i + digits;
    }
    const std::optional<std::string_view> conversion = InsertConversion(text, i + digits);
    AppendInsert(out, conversion.value_or("s"), inserts_[static_cast<std::size_t>(number - 1)]);
    return i + digits + (conversion ? conversion->size() + 2 : 0);
  }

  bool ignore_inserts_;
  bool join_lines_;
  const std::vector<std::uintptr_t>& inserts_;
};

bool IsEnglishOrNeutral(DWORD language_id) {
  const DWORD primary = language_id & 0x3FF;
  return language_id <= 0xFFFF && (primary == LANG_NEUTRAL || primary == LANG_ENGLISH);
}

// The message text named by the flags, or nullopt with the last error set.
// System texts end in "\r\n", as the system's message tables write them.
std::optional<std::string> MessageText(DWORD flags, LPCVOID source, DWORD message_id,
                                       DWORD language_id) {
  if ((flags & FORMAT_MESSAGE_FROM_STRING) != 0) {
    if (source == nullptr) return NoText(ERROR_INVALID_PARAMETER);
    return std::string(static_cast<const char*>(source));
  }
  if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) != 0) {
    if (!IsEnglishOrNeutral(language_id)) return NoText(ERROR_RESOURCE_LANG_NOT_FOUND);
    const std::optional<std::string_view> text = ebank::platform::SystemMessageText(message_id);
    if (!text) return NoText(ERROR_MR_MID_NOT_FOUND);
    return std::string(*text) + "\r\n";
  }
  // Modules carry no message tables here.
  const DWORD error = (flags & FORMAT_MESSAGE_FROM_HMODULE) != 0 ? ERROR_RESOURCE_TYPE_NOT_FOUND
                                                                 : ERROR_INVALID_PARAMETER;
  return NoText(error);
}

DWORD Deliver(DWORD flags, const std::string& text, LPSTR buffer, DWORD size) {
  const std::size_t needed = text.size() + 1;
  if (buffer == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  if (needed > UINT32_MAX) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  char* target = buffer;
  const bool allocate = (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0;
  // An empty message reads as a failure to callers, who then free nothing:
  // hand out no block for it.
  if (text.empty() && allocate) return Fail(ERROR_SUCCESS);
  if (allocate) {
    target = static_cast<char*>(LocalAlloc(LMEM_FIXED, needed > size ? needed : size));
    if (target == nullptr) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    *reinterpret_cast<char**>(buffer) = target;
  } else if (size < needed) {
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(target, text.c_str(), needed);
  return static_cast<DWORD>(text.size());
}

}  // namespace

extern "C" {

DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD message_id, DWORD language_id, LPSTR buffer,
                     DWORD size, va_list* arguments) {
  if ((flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0 && buffer != nullptr) {
    *reinterpret_cast<char**>(buffer) = nullptr;
  }
  const std::optional<std::string> text = MessageText(flags, source, message_id, language_id);
  if (!text) return 0;

  const bool ignore_inserts = (flags & FORMAT_MESSAGE_IGNORE_INSERTS) != 0;
  const int highest = ignore_inserts ? 0 : HighestInsert(*text);
  if (highest > 0 && arguments == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  const std::vector<std::uintptr_t> inserts =
      ReadInserts(arguments, (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0, highest);
  const bool join_lines = (flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) == FORMAT_MESSAGE_MAX_WIDTH_MASK;
  return Deliver(flags, MessageExpander(ignore_inserts, join_lines, inserts).Expand(*text), buffer,
                 size);
}

}  // extern "C"
