#include "ebank/core/error.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"
#include "ebank/platform/oleaut/testing/fail_bstr_allocations_for_testing.h"

namespace {

std::wstring Take(BSTR text) {
  std::wstring result = text == nullptr ? L"<null>" : text;
  SysFreeString(text);
  return result;
}

TEST(ErrorTest, DescriptionIsTheOwnText) {
  EXPECT_EQ(Take(ddCOM::Error(E_FAIL, L"wide text").Description()), L"wide text");
  // Narrow text goes through the ANSI code page: 0x80 is the euro sign.
  EXPECT_EQ(Take(ddCOM::Error(E_FAIL, "\x80 5").Description()), L"\u20AC 5");
  ddCOM::Error error(REGDB_E_CLASSNOTREG, "Could not create XML Parser");
  EXPECT_EQ(error.HResult(), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Take(error.Description()), L"Could not create XML Parser");
}

TEST(ErrorTest, WithoutTextFallsBackToTheSystemText) {
  const std::wstring system_text = L"Unspecified error\r\n";
  EXPECT_EQ(Take(ddCOM::Error(E_FAIL, static_cast<const char*>(nullptr)).Description()),
            system_text);
  EXPECT_EQ(Take(ddCOM::Error(E_FAIL, static_cast<const wchar_t*>(nullptr)).Description()),
            system_text);
  EXPECT_EQ(Take(ddCOM::Error(E_FAIL, 64999u, nullptr).Description()), system_text);
  // Out of memory while building the description leaves it null.
  ebank::platform::FailBstrAllocationsForTesting(1);
  ddCOM::Error starved(E_FAIL, "lost");
  EXPECT_EQ(Take(starved.Description()), system_text);
}

TEST(ErrorTest, CopiesOwnTheirText) {
  auto* original = new ddCOM::Error(E_FAIL, "first");
  ddCOM::Error copy = *original;
  ddCOM::Error assigned(E_POINTER, "second");
  assigned = *original;
  delete original;
  EXPECT_EQ(Take(copy.Description()), L"first");
  EXPECT_EQ(Take(assigned.Description()), L"first");
  EXPECT_EQ(assigned.HResult(), E_FAIL);
  const ddCOM::Error& self = assigned;
  assigned = self;
  EXPECT_EQ(Take(assigned.Description()), L"first");
}

}  // namespace
