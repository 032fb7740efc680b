// Differential fuzzer of the trace message formatter against the C library:
// the input describes up to 16 conversions with flags, widths, precisions,
// size prefixes and arguments; both formatters get the same arguments and
// must keep the same text (the trace keeps at most 2046 characters, up to
// the first NUL).
//
// The dialects spell some sizes differently: long is 32 bits in the trace's
// dialect, so its %ld reads what %d reads in the C library's; I64 is ll, I32
// is nothing and I is z. The narrow text %hs is the C library's %s: glibc
// 2.36 knows %hs too, but after one it pads a floating-point conversion with
// the 0 flag and a negative '*' width on the right with zeros ("%hs%0*f" of
// "", -12 and 1.0 gives 1.0000000000). Conversions whose meaning differs (%p, %n, the 0 flag
// on texts, a null text under a short precision, text beyond ASCII through
// the code page) are left to the unit tests' tables.
//
// The arguments are laid out in memory as the x86-64 System V calling
// convention passes variadic arguments on the stack, so a va_list over them
// reads each one with the type the format gives it.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "ebank/diagnostics/internal/trace_message.h"
#include "fuzz/fuzz_check.h"

#if !defined(__x86_64__)
#error "the argument layout is the x86-64 System V one"
#endif

namespace {

using ebank::diagnostics::FormatTraceMessage;
using ebank::diagnostics::kTraceMessageSize;

constexpr std::size_t kMaxConversions = 16;

// Variadic arguments as the stack holds them: each in an 8-byte slot, a long
// double in two, aligned to 16 bytes.
class StackArguments {
 public:
  template <typename T>
  void Add(T value) {
    static_assert(sizeof(T) <= 8);
    std::memcpy(&slots_[count_++], &value, sizeof value);
  }
  void Add(long double value) {
    count_ += count_ % 2;
    std::memcpy(&slots_[count_], &value, sizeof value);
    count_ += 2;
  }

  // Calls `f` with a va_list that reads the arguments in order: its register
  // areas are marked used up, so every read goes to the stack slots.
  template <typename F>
  auto Call(F f) {
    struct Layout {
      unsigned gp_offset;
      unsigned fp_offset;
      void* overflow_arg_area;
      void* reg_save_area;
    };
    static_assert(sizeof(va_list) == sizeof(Layout));
    const Layout layout{6 * 8, 6 * 8 + 8 * 16, slots_, nullptr};
    va_list args;
    std::memcpy(static_cast<void*>(args), &layout, sizeof layout);
    return f(args);
  }

 private:
  // Three arguments per conversion, a long double counting two and one more
  // for the alignment.
  alignas(16) std::uint64_t slots_[kMaxConversions * 5] = {};
  std::size_t count_ = 0;
};

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return size_ == 0; }
  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  template <typename T>
  T Bytes() {
    T value{};
    unsigned char bytes[sizeof(T)] = {};
    for (unsigned char& b : bytes) b = Byte();
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }
  template <typename T, std::size_t N>
  const T& Pick(const T (&choices)[N]) {
    return choices[Byte() % N];
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// One call: the two formats and the arguments they read.
struct Call {
  std::string ours;
  std::string c;
  StackArguments arguments;

  void Append(std::string_view text) {
    ours += text;
    c += text;
  }
};

struct Size {
  const char* ours;
  const char* c;
  bool wide;  // a 64-bit integer, or a wide text or character
};

void AddFlagsWidthAndPrecision(Input& input, bool zero_allowed, Call& call) {
  const std::uint8_t flags = input.Byte();
  const char* const kFlags = "-+ #0";
  for (int i = 0; i < 5; ++i) {
    if ((flags & (1u << i)) != 0 && (zero_allowed || kFlags[i] != '0')) {
      call.Append(std::string(1, kFlags[i]));
    }
  }
  switch (input.Byte() % 3) {
    case 1:
      call.Append(std::to_string(input.Byte() % 300));
      break;
    case 2:
      call.Append("*");
      call.arguments.Add(static_cast<int>(input.Bytes<std::int8_t>()) * 3);
      break;
  }
  switch (input.Byte() % 4) {
    case 1:
      call.Append(".");
      break;
    case 2:
      call.Append("." + std::to_string(input.Bytes<std::uint16_t>() % 1500));
      break;
    case 3:
      call.Append(".*");
      call.arguments.Add(static_cast<int>(input.Bytes<std::int8_t>()) * 10);
      break;
  }
}

void AddSizeAndType(const Size& size, char type, Call& call) {
  call.ours += size.ours;
  call.c += size.c;
  call.Append(std::string(1, type));
}

void AddInteger(Input& input, Call& call) {
  static constexpr Size kSizes[] = {
      {"", "", false},    {"h", "h", false},  {"hh", "hh", false}, {"l", "", false},
      {"I32", "", false}, {"ll", "ll", true}, {"I64", "ll", true}, {"I", "z", true},
      {"z", "z", true},   {"j", "j", true},   {"t", "t", true},
  };
  static constexpr char kTypes[] = {'d', 'i', 'u', 'o', 'x', 'X'};
  AddFlagsWidthAndPrecision(input, true, call);
  const Size& size = input.Pick(kSizes);
  AddSizeAndType(size, input.Pick(kTypes), call);
  const auto value = input.Bytes<long long>();
  if (size.wide) {
    call.arguments.Add(value);
  } else {
    call.arguments.Add(static_cast<int>(value));
  }
}

void AddFloat(Input& input, Call& call) {
  static constexpr char kTypes[] = {'e', 'E', 'f', 'F', 'g', 'G', 'a', 'A'};
  static constexpr double kValues[] = {0.0,          -0.0,    1.0,      0.1,       -2.5,
                                       DBL_TRUE_MIN, DBL_MAX, INFINITY, -INFINITY, NAN};
  AddFlagsWidthAndPrecision(input, true, call);
  const std::uint8_t choice = input.Byte();
  const char type = input.Pick(kTypes);
  const double value = choice % 2 == 0 ? input.Pick(kValues) : input.Bytes<double>();
  if (choice % 3 == 0) {
    // Long doubles beyond the range of double, denormals included.
    const int exponent = static_cast<int>(input.Bytes<std::int16_t>()) / 2;
    AddSizeAndType({"L", "L", false}, type, call);
    call.arguments.Add(std::ldexp(static_cast<long double>(value), exponent));
  } else {
    AddSizeAndType(choice % 3 == 1 ? Size{"", "", false} : Size{"l", "l", false}, type, call);
    call.arguments.Add(value);
  }
}

void AddText(Input& input, Call& call) {
  static constexpr const char* kTexts[] = {"", "a", "text of the trace", "x\ty"};
  static constexpr const wchar_t* kWideTexts[] = {L"", L"w", L"wide text of the trace"};
  static constexpr Size kSizes[] = {
      {"", "", false}, {"h", "", false}, {"l", "l", true}, {"w", "l", true}};
  AddFlagsWidthAndPrecision(input, false, call);
  const Size& size = input.Pick(kSizes);
  const std::uint8_t choice = input.Byte();
  if (size.wide) {
    // %S in a narrow format reads wide text, as %ls does.
    if (choice % 2 == 0) {
      AddSizeAndType(size, 's', call);
    } else {
      AddSizeAndType({"", "", true}, 'S', call);
    }
    call.arguments.Add(input.Pick(kWideTexts));
    return;
  }
  AddSizeAndType(size, 's', call);
  call.arguments.Add(input.Pick(kTexts));
}

void AddCharacter(Input& input, Call& call) {
  AddFlagsWidthAndPrecision(input, false, call);
  switch (input.Byte() % 3) {
    case 0:
      AddSizeAndType({"", "", false}, 'c', call);
      call.arguments.Add(static_cast<int>(input.Byte()));
      break;
    case 1:
      AddSizeAndType({"l", "l", true}, 'c', call);
      call.arguments.Add(static_cast<wint_t>(input.Byte() % 128));
      break;
    default:
      AddSizeAndType({"", "", true}, 'C', call);
      call.arguments.Add(static_cast<wint_t>(input.Byte() % 128));
      break;
  }
}

void AddLiteral(Input& input, Call& call) {
  static constexpr char kCharacters[] = "abc XYZ|:;-+0123456789\n";
  const std::size_t length = input.Byte() % 8 + 1;
  std::string text;
  for (std::size_t i = 0; i < length; ++i)
    text += kCharacters[input.Byte() % (sizeof kCharacters - 1)];
  call.Append(text);
}

Call BuildCall(Input& input) {
  Call call;
  for (std::size_t conversions = 0; !input.empty() && conversions < kMaxConversions;) {
    const std::uint8_t kind = input.Byte() % 6;
    if (kind == 0) {
      AddLiteral(input, call);
      continue;
    }
    ++conversions;
    call.Append("%");
    switch (kind) {
      case 1:
        AddInteger(input, call);
        break;
      case 2:
        AddFloat(input, call);
        break;
      case 3:
        AddText(input, call);
        break;
      case 4:
        AddCharacter(input, call);
        break;
      default:
        call.Append("%");
        break;
    }
  }
  return call;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  Call call = BuildCall(input);

  char ours[kTraceMessageSize];
  const std::size_t length = call.arguments.Call(
      [&](va_list args) { return FormatTraceMessage(ours, call.ours.c_str(), args); });
  char theirs[kTraceMessageSize - 1];
  const int c_length = call.arguments.Call(
      [&](va_list args) { return std::vsnprintf(theirs, sizeof theirs, call.c.c_str(), args); });
  if (c_length < 0) return 0;

  const std::string_view our_text(ours, length);
  const std::string_view c_text(theirs, strnlen(theirs, sizeof theirs - 1));
  if (our_text != c_text) {
    std::fprintf(stderr, "format %s (C library: %s)\nours:   [%s]\ntheirs: [%s]\n",
                 call.ours.c_str(), call.c.c_str(), ours, theirs);
  }
  EBANK_FUZZ_CHECK(our_text == c_text);
  return 0;
}
