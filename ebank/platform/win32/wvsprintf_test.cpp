#include "ebank/platform/win32/wvsprintf.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "ebank/platform/win32/testing/scoped_environment_variable.h"

namespace {

constexpr std::size_t kBufferSize = 1024;
constexpr char kGuard = '\x5A';

// Formats into a 1024-byte buffer followed by guard bytes and checks that the
// result is NUL-terminated, matches the returned length and left the guard
// intact.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[kBufferSize + 16];
  std::memset(buffer, kGuard, sizeof buffer);
  const int length = wsprintfA(buffer, format, args...);
  EXPECT_GE(length, 0);
  EXPECT_LE(length, 1023);
  EXPECT_EQ(std::strlen(buffer), static_cast<std::size_t>(length));
  for (std::size_t i = kBufferSize; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], kGuard);
  return std::string(buffer, static_cast<std::size_t>(length));
}

TEST(WvsprintfTest, IntegerConversions) {
  EXPECT_EQ(Format("%d %i %u %x %X", -5, 7, 4294967295u, 255, 0xABCu), "-5 7 4294967295 ff ABC");
  EXPECT_EQ(Format("%d|%d", INT_MIN, INT_MAX), "-2147483648|2147483647");
  // l still means 32 bits; h means 16 bits.
  EXPECT_EQ(Format("%ld %lu %lx", INT_MIN, -1, -1), "-2147483648 4294967295 ffffffff");
  EXPECT_EQ(Format("%hd %hu %hx", 65535, 65537, 0x12345), "-1 1 2345");
  EXPECT_EQ(Format("%ld-%ld", 1, 2), "1-2");
}

// The size prefixes and %p of the 64-bit systems' formatter, with the results
// recorded there.
TEST(WvsprintfTest, SizePrefixesAndPointers) {
  constexpr long long kValue = 0x000123450067890A;
  constexpr long long kNegative = -0x12345;
  EXPECT_EQ(Format("%I64X|%I32X|%I64d", kValue, static_cast<std::uint32_t>(kValue), 543210000000LL),
            "123450067890A|67890A|543210000000");
  EXPECT_EQ(Format("%I64X|%I32x|%I64u", kNegative, static_cast<std::int32_t>(kNegative), -123LL),
            "FFFFFFFFFFFEDCBB|fffedcbb|18446744073709551493");
  EXPECT_EQ(Format("%Id|%Ix|%p|%010ld", std::intptr_t{-12345}, std::intptr_t{kNegative},
                   reinterpret_cast<void*>(std::intptr_t{kNegative}), -1),
            "-12345|fffffffffffedcbb|FFFFFFFFFFFEDCBB|-000000001");
  // Each conversion takes exactly its own argument.
  EXPECT_EQ(Format("%I64d|%s|%p|%s", 1234567890123LL, "x", static_cast<void*>(nullptr), "y"),
            "1234567890123|x|0000000000000000|y");
  EXPECT_EQ(Format("[%20p][%-18I64x]", reinterpret_cast<void*>(std::uintptr_t{0xABC}), 255LL),
            "[    0000000000000ABC][ff                ]");
}

TEST(WvsprintfTest, WidthPrecisionAndFlags) {
  EXPECT_EQ(Format("[%5d][%-5d][%05d][%05d]", 42, 42, 42, -42), "[   42][42   ][00042][-0042]");
  EXPECT_EQ(Format("[%.3d][%8.3d][%-8.3x][%.0d]", 7, -7, 10, 0), "[007][    -007][00a     ][]");
  EXPECT_EQ(Format("[%#x][%#X][%#x][%#010x]", 255, 255, 0, 255), "[0xff][0XFF][0][0x000000ff]");
  EXPECT_EQ(Format("[%6s][%-6s][%.2s][%6.2s]", "abc", "abc", "abc", "abc"),
            "[   abc][abc   ][ab][    ab]");
  EXPECT_EQ(Format("[%3c][%-3c]", 'x', 'y'), "[  x][y  ]");
}

TEST(WvsprintfTest, TextAndCharacterConversions) {
  ebank::platform::ScopedEnvironmentVariable acp("EBANK_ACP", nullptr);
  EXPECT_EQ(Format("%s/%ws/%S/%ls/%hs", "n", L"w1", L"w2", L"w3", "n2"), "n/w1/w2/w3/n2");
  EXPECT_EQ(Format("%c%wc%lc%C%hc", 'a', L'b', L'c', L'd', 'e'), "abcde");
  // Wide text passes through the ANSI code page (1252 here).
  EXPECT_EQ(Format("%ws|%wc|%ws", L"\u20AC\u00E4", L'\u00DF', L"\u4E2D"), "\x80\xE4|\xDF|?");
  EXPECT_EQ(Format("%.1ws|%4ws", L"\u20ACx", L"ab"), "\x80|  ab");
}

TEST(WvsprintfTest, NullTextsPrintNullMarker) {
  EXPECT_EQ(Format("%s %ws %S", static_cast<const char*>(nullptr),
                   static_cast<const wchar_t*>(nullptr), static_cast<const wchar_t*>(nullptr)),
            "(null) (null) (null)");
}

TEST(WvsprintfTest, PercentUnknownConversionsAndNoFloatingPoint) {
  EXPECT_EQ(Format("100%% %y %f|%"), "100% y f|");
  // An unknown conversion consumes no argument; the C runtime's extras are
  // unknown here.
  EXPECT_EQ(Format("%q%d", 5), "q5");
  EXPECT_EQ(Format("%o|%+d|%*d|%n", 5), "o|+d|*d|n");
}

TEST(WvsprintfTest, OutputIsCappedAt1023Characters) {
  const std::string exact(1023, 'a');
  EXPECT_EQ(Format("%s", exact.c_str()), exact);
  EXPECT_EQ(Format("%s", std::string(1024, 'b').c_str()), std::string(1023, 'b'));
  EXPECT_EQ(Format("%s", std::string(5000, 'c').c_str()), std::string(1023, 'c'));
  EXPECT_EQ(Format("%s%s", exact.c_str(), "more"), exact);
  EXPECT_EQ(Format("%2000d", 1), std::string(1023, ' '));
  EXPECT_EQ(Format("%-2000d", 1), "1" + std::string(1022, ' '));
  EXPECT_EQ(Format("x%99999999999999999999dy", 1).size(), 1023u);
  EXPECT_EQ(Format("%.5000d", 3), std::string(1023, '0'));
  EXPECT_EQ(Format(std::string(3000, 'f').c_str()), std::string(1023, 'f'));
  const std::wstring wide(2000, L'\u20AC');
  EXPECT_EQ(Format("%ws", wide.c_str()), std::string(1023, '\x80'));
  EXPECT_EQ(Format("%1019s%21ws", "", L"wide text of the trace"), std::string(1019, ' ') + "wide");
}

TEST(WvsprintfTest, NullBufferOrFormatWritesNothing) {
  EXPECT_EQ(wsprintfA(nullptr, "%d", 1), 0);
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(wsprintfA(buffer, nullptr), 0);
  EXPECT_STREQ(buffer, "");
}

}  // namespace
