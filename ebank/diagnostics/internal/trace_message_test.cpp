#include "ebank/diagnostics/internal/trace_message.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ebank::diagnostics {
namespace {

std::string FormatVa(const char* format, va_list args) {
  char message[kTraceMessageSize];
  const std::size_t length = FormatTraceMessage(message, format, args);
  EXPECT_LE(length, kTraceMessageSize - 2);
  EXPECT_EQ(message[length], '\0');
  return std::string(message, length);
}

// The trace formatter's message.
std::string Trace(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatVa(format, args);
  va_end(args);
  return text;
}

// The C library's text for the same arguments, kept as the trace keeps it:
// at most 2046 characters, up to the first NUL.
std::string CTrace(const char* format, ...) {
  char text[kTraceMessageSize - 1];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

// One conversion's flags, width and precision; '*' counts carry their values.
struct Layout {
  std::string flags;
  std::string width;
  std::string precision;
  int star_width = 0;
  int star_precision = 0;
};

std::vector<Layout> AllLayouts(bool zero_flag) {
  std::vector<Layout> layouts;
  const std::string flag_set = zero_flag ? "-+ #0" : "-+ #";
  for (unsigned mask = 0; mask < (1u << flag_set.size()); ++mask) {
    std::string flags;
    for (std::size_t i = 0; i < flag_set.size(); ++i) {
      if ((mask & (1u << i)) != 0) flags += flag_set[i];
    }
    for (const auto& [width, star_width] : {std::pair{"", 0}, {"9", 0}, {"*", 7}, {"*", -7}}) {
      for (const auto& [precision, star_precision] :
           {std::pair{"", 0}, {".", 0}, {".4", 0}, {".*", 2}, {".*", -1}}) {
        layouts.push_back({flags, width, precision, star_width, star_precision});
      }
    }
  }
  return layouts;
}

// A size prefix in the original's dialect and the C library's prefix that
// reads an argument of the same type (long is 32 bits on the original).
struct Size {
  const char* ours;
  const char* c;
};

// Compares one conversion, between two literal texts and followed by a %s
// that shows whether the conversion took exactly its own arguments.
template <typename T>
void ExpectSameText(const Layout& layout, const Size& size, char type, T value) {
  const std::string head = "<%" + layout.flags + layout.width + layout.precision;
  const std::string tail = std::string(1, type) + ">|%s";
  const std::string ours = head + size.ours + tail;
  const std::string c = head + size.c + tail;
  const bool star_width = layout.width == "*";
  const bool star_precision = layout.precision == ".*";
  const int w = layout.star_width;
  const int p = layout.star_precision;
  if (star_width && star_precision) {
    EXPECT_EQ(Trace(ours.c_str(), w, p, value, "end"), CTrace(c.c_str(), w, p, value, "end"))
        << ours;
  } else if (star_width) {
    EXPECT_EQ(Trace(ours.c_str(), w, value, "end"), CTrace(c.c_str(), w, value, "end")) << ours;
  } else if (star_precision) {
    EXPECT_EQ(Trace(ours.c_str(), p, value, "end"), CTrace(c.c_str(), p, value, "end")) << ours;
  } else {
    EXPECT_EQ(Trace(ours.c_str(), value, "end"), CTrace(c.c_str(), value, "end")) << ours;
  }
}

TEST(TraceMessageTest, IntegerConversionsMatchTheCLibrary) {
  constexpr Size kNarrow[] = {{"", ""}, {"h", "h"}, {"hh", "hh"}, {"l", ""}, {"I32", ""}};
  constexpr Size kWide[] = {{"ll", "ll"}, {"I64", "ll"}, {"I", "z"},
                            {"z", "z"},   {"j", "j"},    {"t", "t"}};
  constexpr long long kValues[] = {0, 1, -1, 0x1234ABCD, LLONG_MIN, 300};
  for (const Layout& layout : AllLayouts(true)) {
    for (const char type : std::string_view("diouxX")) {
      for (const long long value : kValues) {
        for (const Size& size : kNarrow)
          ExpectSameText(layout, size, type, static_cast<int>(value));
        for (const Size& size : kWide) ExpectSameText(layout, size, type, value);
      }
    }
  }
}

TEST(TraceMessageTest, FloatingPointConversionsMatchTheCLibrary) {
  constexpr double kValues[] = {0.0,    -0.0,         1.0,      0.1,       -2.5, 1e300,
                                1e-300, DBL_TRUE_MIN, INFINITY, -INFINITY, NAN,  123456789.125};
  for (const Layout& layout : AllLayouts(true)) {
    for (const char type : std::string_view("eEfFgGaA")) {
      for (const double value : kValues) {
        ExpectSameText(layout, {"", ""}, type, value);
        ExpectSameText(layout, {"l", "l"}, type, value);
        ExpectSameText(layout, {"L", "L"}, type, static_cast<long double>(value));
      }
    }
  }
}

// Texts and characters; the 0 flag is left out, since the original pads
// texts with zeros where the C library uses blanks.
TEST(TraceMessageTest, TextConversionsMatchTheCLibrary) {
  for (const Layout& layout : AllLayouts(false)) {
    for (const char* text : {"", "a", "hello world"}) {
      ExpectSameText(layout, {"", ""}, 's', text);
      ExpectSameText(layout, {"h", ""}, 's', text);
    }
    for (const wchar_t* text : {L"", L"w", L"wide text"}) {
      ExpectSameText(layout, {"l", "l"}, 's', text);
      ExpectSameText(layout, {"", ""}, 'S', text);
    }
    // The C library prints "(null)" only when the precision lets all of it.
    if (layout.precision.empty())
      ExpectSameText(layout, {"", ""}, 's', static_cast<char*>(nullptr));
    for (const int c : {int{'x'}, int{' '}, 0}) ExpectSameText(layout, {"", ""}, 'c', c);
    ExpectSameText(layout, {"l", "l"}, 'c', static_cast<wint_t>(L'y'));
    ExpectSameText(layout, {"", ""}, 'C', static_cast<wint_t>(L'z'));
  }
  EXPECT_EQ(Trace("100%% %5%|%-3%"), CTrace("100%% %5%|%-3%"));
}

TEST(TraceMessageTest, MessageKeeps2046CharactersUpToItsFirstNul) {
  const std::string long_text(3000, 'x');
  EXPECT_EQ(Trace("%s", long_text.c_str()), std::string(2046, 'x'));
  EXPECT_EQ(Trace("ab%.*s", 2044, long_text.c_str()), "ab" + std::string(2044, 'x'));
  EXPECT_EQ(Trace("%2047d", 1), std::string(2046, ' '));
  EXPECT_EQ(Trace("%-2047.1000f", 1.0), "1." + std::string(1000, '0') + std::string(1044, ' '));
  EXPECT_EQ(Trace("before%cafter", 0), "before");
  // Huge counts cost only what is kept.
  EXPECT_EQ(Trace("%.*Lf%.0Lf%2147483647d", INT_MAX, LDBL_TRUE_MIN, LDBL_MAX, 1),
            "0." + std::string(2044, '0'));
  EXPECT_EQ(Trace("%999999999.999999999f|%s", INFINITY, "x"), std::string(2046, ' '));
  EXPECT_EQ(Trace("%s", ""), "");
}

// The calls that read the wrong argument when the trace used the Windows
// formatter, which knows none of these.
TEST(TraceMessageTest, EachConversionTakesItsOwnArguments) {
  const auto* pointer = reinterpret_cast<const void*>(std::uintptr_t{0xABCDEF});
  EXPECT_EQ(Trace("%lld|%s", 1234567890123LL, "x"), "1234567890123|x");
  EXPECT_EQ(Trace("%I64d|%s", -1234567890123LL, "x"), "-1234567890123|x");
  EXPECT_EQ(Trace("%p|%s", pointer, "x"), "0000000000ABCDEF|x");
  EXPECT_EQ(Trace("%o|%+d|%*d|%s", 8u, 5, 4, 7, "x"), "10|+5|   7|x");
  EXPECT_EQ(Trace("%f|%.2e|%s", 1.5, 250.0, "x"), "1.500000|2.50e+02|x");
  int count = 0;
  EXPECT_EQ(Trace("%d%n|%s", 12, &count, "x"), "12|x");
  EXPECT_EQ(count, 0);
}

}  // namespace
}  // namespace ebank::diagnostics
