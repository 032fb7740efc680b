// Fuzzes wsprintfA, wsprintfW and _snwprintf with arbitrary formats over a
// fixed argument list.
//
// A format decides what its arguments are, so a fuzzed one must never ask for
// more, or other, arguments than the call passes. Two measures keep every
// read defined:
//  - the format is cut before its 17th '%'. A conversion reads at most five
//    argument slots ('*' width, '*' precision and a long double, which takes
//    two slots and may skip one to align), so 16 conversions read at most 80
//    and the call passes 80;
//  - every argument is a pointer, either null or to a text that ends in a NUL
//    both as narrow and as wide characters. On x86-64 every integer and
//    pointer argument takes one 8-byte slot, so reading a slot as int, long
//    long or pointer yields a usable value, and any text conversion finds its
//    terminator within the text. A floating-point conversion reads whatever
//    bits it finds, which is any double or long double, invalid encodings
//    included.
// The checks then compare what each formatter returns with where it put the
// NUL (a %c of 0 writes a NUL inside the text, so strlen may be shorter).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "ebank/platform/win32/wide_format.h"
#include "ebank/platform/win32/wvsprintf.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr std::size_t kMaxConversions = 16;
constexpr std::size_t kArgumentCount = 5 * kMaxConversions;
constexpr std::size_t kWindowsBufferSize = 1024;

// "fuzz" as wide text, "f" as narrow; the second holds characters beyond the
// Western code page and reads as "\xAC " narrow.
alignas(wchar_t) const wchar_t kPlain[] = L"fuzz";
alignas(wchar_t) const wchar_t kForeign[] = L"\u20ac\u0100x";

const void* Argument(std::size_t index) {
  switch (index % 3) {
    case 0:
      return kPlain;
    case 1:
      return kForeign;
    default:
      return nullptr;
  }
}

// The input as a format, cut before its (kMaxConversions + 1)th '%'.
std::string NarrowFormat(const std::uint8_t* data, std::size_t size) {
  std::string format;
  std::size_t percents = 0;
  for (std::size_t i = 0; i < size && data[i] != 0; ++i) {
    if (data[i] == '%' && ++percents > kMaxConversions) break;
    format.push_back(static_cast<char>(data[i]));
  }
  return format;
}

std::wstring Widened(const std::string& text) {
  std::wstring wide;
  for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

template <std::size_t... I>
int NarrowWindows(char* out, const char* format, std::index_sequence<I...>) {
  return wsprintfA(out, format, Argument(I)...);
}
template <std::size_t... I>
int WideWindows(wchar_t* out, const wchar_t* format, std::index_sequence<I...>) {
  return wsprintfW(out, format, Argument(I)...);
}
template <std::size_t... I>
int WideRuntime(wchar_t* out, std::size_t count, const wchar_t* format, std::index_sequence<I...>) {
  return _snwprintf(out, count, format, Argument(I)...);
}

constexpr auto kArguments = std::make_index_sequence<kArgumentCount>{};

// The Windows formatters fill at most 1023 characters and a NUL.
void FormatWindows(const std::string& format, const std::wstring& wide_format) {
  std::vector<char> narrow(kWindowsBufferSize);
  const int narrow_length = NarrowWindows(narrow.data(), format.c_str(), kArguments);
  EBANK_FUZZ_CHECK(narrow_length >= 0 && narrow_length < static_cast<int>(kWindowsBufferSize));
  EBANK_FUZZ_CHECK(narrow[static_cast<std::size_t>(narrow_length)] == 0);

  std::vector<wchar_t> wide(kWindowsBufferSize);
  const int wide_length = WideWindows(wide.data(), wide_format.c_str(), kArguments);
  EBANK_FUZZ_CHECK(wide_length >= 0 && wide_length < static_cast<int>(kWindowsBufferSize));
  EBANK_FUZZ_CHECK(wide[static_cast<std::size_t>(wide_length)] == 0);
}

// The runtime formatter measures a text with a null buffer; that text must
// then fit a buffer of exactly that length, and be cut in a shorter one.
void FormatRuntime(const std::wstring& format, std::size_t count) {
  std::vector<wchar_t> out(count);
  const int length =
      WideRuntime(count == 0 ? nullptr : out.data(), count, format.c_str(), kArguments);
  // With no buffer (count 0) the call measures, and may answer any length.
  EBANK_FUZZ_CHECK(length >= -1 &&
                   (count == 0 || length == -1 || static_cast<std::size_t>(length) <= count));

  const int needed = WideRuntime(nullptr, 0, format.c_str(), kArguments);
  if (needed < 0 || needed > 4096) return;
  std::vector<wchar_t> exact(static_cast<std::size_t>(needed) + 1);
  EBANK_FUZZ_CHECK(WideRuntime(exact.data(), exact.size(), format.c_str(), kArguments) == needed);
  EBANK_FUZZ_CHECK(exact[static_cast<std::size_t>(needed)] == 0);
  if (needed >= 2) {
    std::vector<wchar_t> short_by_one(static_cast<std::size_t>(needed) - 1);
    EBANK_FUZZ_CHECK(
        WideRuntime(short_by_one.data(), short_by_one.size(), format.c_str(), kArguments) == -1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the runtime formatter's buffer length.
  const std::size_t count = data[0];
  const std::string format = NarrowFormat(data + 1, size - 1);
  const std::wstring wide_format = Widened(format);
  FormatWindows(format, wide_format);
  FormatRuntime(wide_format, count);
  return 0;
}
