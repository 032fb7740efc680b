// The umbrella header compiles on its own and the library reports the version
// that the headers were built with.
#include "ebank/ebank.h"

#include <gtest/gtest.h>

namespace {

TEST(UmbrellaHeaderTest, LoadedLibraryMatchesHeaders) {
  EXPECT_STREQ(ebank::LibraryVersion(), EBANK_VERSION_STRING);
}

TEST(UmbrellaHeaderTest, PlatformTypesHaveWindowsWidths) {
  static_assert(sizeof(LONG) == 4 && sizeof(HRESULT) == 4 && sizeof(DWORD) == 4);
  static_assert(sizeof(GUID) == 16 && sizeof(CY) == 8 && sizeof(DECIMAL) == 16);
  static_assert(sizeof(SYSTEMTIME) == 16);
  EXPECT_LT(E_FAIL, 0);
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), MakeHResult(0x80070002));
  EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SUCCESS), S_OK);
}

}  // namespace
