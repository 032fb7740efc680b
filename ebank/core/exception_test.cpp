#include "ebank/core/exception.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/platform/com/class_table.h"
#include "ebank/platform/com/error_info.h"
#include "ebank/platform/com/testing/fake_com_object_for_testing.h"
#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace {

// Takes the thread's error object and returns "description|source".
std::wstring TakeThreadError() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK) return L"<none>";
  BSTR description = nullptr;
  BSTR source = nullptr;
  info->GetDescription(&description);
  info->GetSource(&source);
  std::wstring result =
      std::wstring(description ? description : L"<null>") + L"|" + (source ? source : L"<null>");
  SysFreeString(description);
  SysFreeString(source);
  info->Release();
  return result;
}

std::wstring Take(BSTR text) {
  std::wstring result = text == nullptr ? L"<null>" : text;
  SysFreeString(text);
  return result;
}

TEST(ExceptionTest, CarriesAnyHResult) {
  ddCOM::Exception error(S_FALSE);
  EXPECT_EQ(error.HResult(), S_FALSE);
  error.SetHResult(E_FAIL);
  ddCOM::Exception copy = error;
  EXPECT_EQ(copy.HResult(), E_FAIL);
  const std::exception& base = copy;
  EXPECT_STREQ(base.what(), std::exception().what());
}

TEST(ExceptionTest, DescriptionIsTheSystemText) {
  EXPECT_EQ(Take(ddCOM::Exception(E_FAIL).Description()), L"Unspecified error\r\n");
  // Failures a component meets and Catch traces: a full disk, a locked file,
  // a remote server that went away.
  EXPECT_EQ(Take(ddCOM::Exception(MakeHResult(0x80070070)).Description()),
            L"There is not enough space on the disk.\r\n");
  EXPECT_EQ(Take(ddCOM::Exception(MakeHResult(0x80070020)).Description()),
            L"The process cannot access the file because it is being used by another process.\r\n");
  EXPECT_EQ(Take(ddCOM::Exception(MakeHResult(0x800706BA)).Description()),
            L"The RPC server is unavailable.\r\n");
  EXPECT_EQ(Take(ddCOM::Exception(MakeHResult(0x8123ABCD)).Description()), L"<null>");
}

TEST(ExceptionTest, PropagateInstallsDescriptionAndProgIdSource) {
  const CLSID registered = {0x5A1E0101, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}};
  const CLSID unregistered = {0x5A1E0102, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}};
  auto* factory = new ebank::testing::FakeClassFactory();
  ebank::platform::RegisterClassFactory(registered, L"Ebank.Test.Reporter", factory);
  factory->Release();

  EXPECT_EQ(ddCOM::Exception(E_FAIL).Propagate(registered), E_FAIL);
  EXPECT_EQ(TakeThreadError(), L"Unspecified error\r\n|Ebank.Test.Reporter");
  EXPECT_EQ(ddCOM::Exception(E_FAIL).Propagate(unregistered), E_FAIL);
  EXPECT_EQ(TakeThreadError(), L"Unspecified error\r\n|<null>");
  // No system text: the object is still installed, without a description.
  EXPECT_EQ(ddCOM::Exception(MakeHResult(0x8123ABCD)).Propagate(unregistered),
            MakeHResult(0x8123ABCD));
  EXPECT_EQ(TakeThreadError(), L"<null>|<null>");
  ebank::platform::RevokeClassFactory(registered);
}

}  // namespace
