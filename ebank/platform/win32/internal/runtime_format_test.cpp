#include "ebank/platform/win32/internal/runtime_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace {

using ebank::platform::ScopedEnvironmentVariable;

// The whole text, formatted into a buffer the length the formatter asks for.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  const int needed = _snprintf(nullptr, 0, format, args...);
  EXPECT_GE(needed, 0);
  std::string text(static_cast<std::size_t>(needed) + 1, '#');
  EXPECT_EQ(_snprintf(text.data(), text.size(), format, args...), needed);
  EXPECT_EQ(text.back(), '\0');
  text.pop_back();
  return text;
}

// glibc's text for the same call.
template <typename... Args>
std::string CFormat(const char* format, Args... args) {
  std::vector<char> text(static_cast<std::size_t>(std::snprintf(nullptr, 0, format, args...)) + 1);
  std::snprintf(text.data(), text.size(), format, args...);
  return text.data();
}

// Integers have the sizes of the original platform: long is 32 bits.
TEST(RuntimeFormatTest, IntegerSizesAreThoseOfLlp64) {
  constexpr long long kValue = 0x000123450067890A;
  EXPECT_EQ(Format("%ld|%lu|%lx|%lo", INT_MIN, -1, -1, 8), "-2147483648|4294967295|ffffffff|10");
  EXPECT_EQ(Format("%lld|%I64X|%I64d|%jx", kValue, kValue, 543210000000LL, -1LL),
            "320254243211530|123450067890A|543210000000|ffffffffffffffff");
  EXPECT_EQ(Format("%I32X|%I32d", static_cast<std::uint32_t>(kValue), -5), "67890A|-5");
  EXPECT_EQ(Format("%Id|%Ix|%zu|%td", std::intptr_t{-12345}, std::intptr_t{-0x12345}, SIZE_MAX,
                   std::ptrdiff_t{-7}),
            "-12345|fffffffffffedcbb|18446744073709551615|-7");
  EXPECT_EQ(Format("%hd|%hu|%hhd|%hhu", 65535, 65537, 200, 257), "-1|1|-56|1");
  // L gives integers no width of their own: long double equals double there.
  EXPECT_EQ(Format("%Ld|%s", 7, "next"), "7|next");
  EXPECT_EQ(Format("%I64u|%I64X", -123LL, -0x12345LL), "18446744073709551493|FFFFFFFFFFFEDCBB");
}

// Flags, '*' counts and conversions the two printf dialects share, checked
// against the C library (the differential tests of the trace formatter cover
// their combinations).
TEST(RuntimeFormatTest, SharedConversionsMatchTheCLibrary) {
  EXPECT_EQ(Format("[%+d][% d][%+ d][%-+6d][%+06d][%+.0d][% .0d]", 5, 5, 5, 5, -5, 0, 0),
            CFormat("[%+d][% d][%+ d][%-+6d][%+06d][%+.0d][% .0d]", 5, 5, 5, 5, -5, 0, 0));
  EXPECT_EQ(Format("[%o][%#o][%#.0o][%#.5o][%#o][%#x][%#.0x]", 8u, 8u, 0u, 8u, 0u, 0u, 0u),
            CFormat("[%o][%#o][%#.0o][%#.5o][%#o][%#x][%#.0x]", 8u, 8u, 0u, 8u, 0u, 0u, 0u));
  EXPECT_EQ(
      Format("[%*d][%-*d][%*d][%.*d][%.*d][%*.*s]", 4, 1, 4, 2, -4, 3, 3, 4, -1, 5, 6, 2, "abcdef"),
      CFormat("[%*d][%-*d][%*d][%.*d][%.*d][%*.*s]", 4, 1, 4, 2, -4, 3, 3, 4, -1, 5, 6, 2,
              "abcdef"));
  EXPECT_EQ(Format("[%e][%E][%f][%F][%g][%G][%a][%A]", 1.5, -2e-10, 3.25, -INFINITY, 1e20, 1e-5,
                   1.0, -0.5),
            CFormat("[%e][%E][%f][%F][%g][%G][%a][%A]", 1.5, -2e-10, 3.25, -INFINITY, 1e20, 1e-5,
                    1.0, -0.5));
  EXPECT_EQ(Format("[%010.3f][%-10.2e][%+#g][% 012a][%010f][%-010g][%#.0f]", -3.14159, 2.5, 3.0,
                   1.0, NAN, 0.1, 2.0),
            CFormat("[%010.3f][%-10.2e][%+#g][% 012a][%010f][%-010g][%#.0f]", -3.14159, 2.5, 3.0,
                    1.0, NAN, 0.1, 2.0));
  EXPECT_EQ(Format("[%Lf][%.30Le][%La][%Lg]", 1.0L / 3, LDBL_MAX, 1.0L, LDBL_TRUE_MIN),
            CFormat("[%Lf][%.30Le][%La][%Lg]", 1.0L / 3, LDBL_MAX, 1.0L, LDBL_TRUE_MIN));
}

// A precision past the digits a value has only adds zeros: those are counted,
// not computed, and must come out as the C library writes them.
TEST(RuntimeFormatTest, HugeFloatingPointPrecisionsMatchTheCLibrary) {
  for (const char* format : {"%.1200f", "%.3000e", "%#.2500g", "%.2500g", "%.900a", "%+.1500E",
                             "%-#3000.1100G", "%03000.1f"}) {
    for (const double value : {0.0, 1.0, -1.5, 0.1, 1e300, DBL_TRUE_MIN, DBL_MAX, 123456.789}) {
      EXPECT_EQ(Format(format, value), CFormat(format, value)) << format << " of " << value;
    }
  }
  for (const char* format : {"%.17000Lf", "%.12000Le", "%#.12000Lg", "%.40La"}) {
    for (const long double value : {1.0L, LDBL_TRUE_MIN, LDBL_MAX, 0.1L}) {
      EXPECT_EQ(Format(format, value), CFormat(format, value)) << format;
    }
  }
}

// Where the original platform's dialect differs from the C library's.
TEST(RuntimeFormatTest, DialectDifferencesFromTheCLibrary) {
  ScopedEnvironmentVariable acp("EBANK_ACP", nullptr);
  const auto* pointer = reinterpret_cast<const void*>(std::intptr_t{-0x12345});
  // %p: every digit in upper case, no 0x; the width pads with blanks.
  EXPECT_EQ(Format("%p|%20p|%-18p|%#p|%p", pointer, pointer, pointer, pointer,
                   static_cast<void*>(nullptr)),
            "FFFFFFFFFFFEDCBB|    FFFFFFFFFFFEDCBB|FFFFFFFFFFFEDCBB  |0XFFFFFFFFFFFEDCBB|"
            "0000000000000000");
  // Wide text and characters pass through the ANSI code page.
  EXPECT_EQ(Format("%S|%ls|%ws|%C|%lc|%.1S", L"\u20AC\u00E4", L"\u4E2D", L"w", L'\u00DF', L'x',
                   L"\u20ACz"),
            "\x80\xE4|?|w|\xDF|x|\x80");
  // The 0 flag pads texts with zeros; a null text is "(null)" under any
  // precision.
  EXPECT_EQ(Format("%05s|%03c|%.3s|%hs", "ab", 'c', static_cast<const char*>(nullptr), "h"),
            "000ab|00c|(nu|h");
  // %n stores nothing but takes its argument, so the next conversion reads
  // its own.
  int count = -1;
  EXPECT_EQ(Format("a%nb%s", &count, "c"), "abc");
  EXPECT_EQ(count, -1);
  // Unknown conversions print their letter and take no argument.
  EXPECT_EQ(Format("%y%k%d", 4), "yk4");
}

// Widths and precisions saturate at INT_MAX and cost only what is kept.
TEST(RuntimeFormatTest, HugeCountsAreCutNotComputed) {
  char buffer[16];
  EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%999999999d", 1), -1);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(16, ' '));
  EXPECT_EQ(_snprintf(nullptr, 0, "%999999999d%.999999999f", 1, 1.0), 999999999 + 1000000001);
  EXPECT_EQ(_snprintf(nullptr, 0, "%99999999999999999999d", 1), INT_MAX);
  EXPECT_EQ(_snprintf(nullptr, 0, "%*d", INT_MIN, 1), -1);  // 2^31 characters do not fit an int
  EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%.*Lf", INT_MAX, LDBL_TRUE_MIN), -1);
  EXPECT_EQ(std::string(buffer, sizeof buffer), "0.00000000000000");
}

TEST(RuntimeFormatTest, CutTextReturnsMinusOneWithoutTerminator) {
  char buffer[8] = "#######";
  EXPECT_EQ(_snprintf(buffer, 4, "%d-%s", 12, "ab"), -1);
  EXPECT_EQ(std::string(buffer, 8), std::string("12-a###\0", 8));
  EXPECT_EQ(_snprintf(buffer, 5, "%d-%s", 12, "ab"), 5);
  EXPECT_EQ(_snprintf(buffer, 8, "%d-%s", 12, "ab"), 5);
  EXPECT_STREQ(buffer, "12-ab");
  // Wide text at the end is padded by its whole length, not by what is kept.
  EXPECT_EQ(_snprintf(buffer, 2, "x%20ls", L"wide text of the trace"), -1);
  EXPECT_EQ(std::string(buffer, 2), "xw");
  EXPECT_EQ(_snprintf(buffer, 8, nullptr), -1);
  EXPECT_EQ(_snprintf(nullptr, 4, "x"), -1);
}

}  // namespace
