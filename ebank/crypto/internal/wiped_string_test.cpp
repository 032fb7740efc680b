#include "ebank/crypto/internal/wiped_string.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace ovEBankCrypto {
namespace {

// The whole buffer is zero afterwards, beyond the length too, where a longer
// secret that the string held before may have stood; the buffer stays the
// string's, so it can be read here.
template <typename Char>
void ExpectWholeBufferWiped(std::basic_string<Char> text, std::size_t shorter) {
  text.resize(shorter);
  const Char* buffer = text.data();
  const std::size_t capacity = text.capacity();
  WipeString(text);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(text.data(), buffer);
  EXPECT_TRUE(std::all_of(buffer, buffer + capacity, [](Char c) { return c == 0; }));
}

TEST(WipeStringTest, ZeroFillsTheWholeBufferAndEmptiesTheString) {
  ExpectWholeBufferWiped(std::string("Geheim99"), 3);  // in the object itself
  ExpectWholeBufferWiped(std::string(200, 's'), 10);   // on the heap
  ExpectWholeBufferWiped(std::wstring(50, L'\u00e4'), 0);
  std::string empty;
  WipeString(empty);
  EXPECT_TRUE(empty.empty());
}

}  // namespace
}  // namespace ovEBankCrypto
