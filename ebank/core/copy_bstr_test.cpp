#include "ebank/core/copy_bstr.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ebank/core/exception.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"

namespace {

TEST(CopyBstrTest, CopiesTheFullByteLength) {
  EXPECT_EQ(ddCOM::CopyBSTR(nullptr), nullptr);
  BSTR odd = SysAllocStringByteLen("abcdefg", 7);
  BSTR copy = ddCOM::CopyBSTR(odd);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, odd);
  EXPECT_EQ(SysStringByteLen(copy), 7u);
  EXPECT_EQ(std::memcmp(copy, odd, 7), 0);
  SysFreeString(copy);

  ebank::platform::FailBstrAllocationsForTesting(1);
  try {
    ddCOM::CopyBSTR(odd);
    ADD_FAILURE() << "no exception";
  } catch (const ddCOM::Exception& error) {
    EXPECT_EQ(error.HResult(), E_OUTOFMEMORY);
  }
  SysFreeString(odd);
}

TEST(CopyBstrTest, CharBufferGetsLowBytesWithinTheLimit) {
  BSTR text = SysAllocString(L"AB\u0143");  // U+0143 keeps its low byte 0x43
  char buffer[8];
  for (unsigned limit : {0u, 4u, 5u}) {
    std::memset(buffer, '#', sizeof(buffer));
    ddCOM::CopyBSTRToCharBuf(text, buffer, limit);
    EXPECT_EQ(std::memcmp(buffer, "ABC\0#", 5), 0) << "limit " << limit;
  }
  std::memset(buffer, '#', sizeof(buffer));
  ddCOM::CopyBSTRToCharBuf(text, buffer, 2);
  EXPECT_EQ(std::memcmp(buffer, "AB#", 3), 0);  // no terminator when cut
  std::memset(buffer, '#', sizeof(buffer));
  ddCOM::CopyBSTRToCharBuf(text, buffer, 3);
  EXPECT_EQ(std::memcmp(buffer, "ABC#", 4), 0);

  std::memset(buffer, '#', sizeof(buffer));
  ddCOM::CopyBSTRToCharBuf(nullptr, buffer, 0);
  EXPECT_EQ(std::memcmp(buffer, "\0#", 2), 0);
  ddCOM::CopyBSTRToCharBuf(text, nullptr, 0);
  SysFreeString(text);
}

}  // namespace
