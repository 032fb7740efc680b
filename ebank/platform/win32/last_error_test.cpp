#include "ebank/platform/win32/last_error.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(LastErrorTest, EachThreadKeepsItsOwnCode) {
  SetLastError(5);
  DWORD seen_by_other = 99;
  std::thread other([&] {
    seen_by_other = GetLastError();
    SetLastError(7);
  });
  other.join();
  EXPECT_EQ(seen_by_other, 0u);
  EXPECT_EQ(GetLastError(), 5u);
}

}  // namespace
