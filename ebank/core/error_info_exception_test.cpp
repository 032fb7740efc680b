#include "ebank/core/error_info_exception.h"

#include <gtest/gtest.h>

#include <string>

#include "ebank/platform/hresult.h"
#include "ebank/platform/oleaut/bstr.h"

namespace {

const CLSID kUnregistered = {0x5A1E0201, 1, 2, {1, 2, 3, 4, 5, 6, 7, 8}};

std::wstring Take(BSTR text) {
  std::wstring result = text == nullptr ? L"<null>" : text;
  SysFreeString(text);
  return result;
}

IErrorInfo* MakeErrorInfo(const wchar_t* description) {
  ICreateErrorInfo* create = nullptr;
  CreateErrorInfo(&create);
  create->SetDescription(const_cast<wchar_t*>(description));
  IErrorInfo* info = nullptr;
  create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
  create->Release();
  return info;
}

IErrorInfo* TakeThreadError() {
  IErrorInfo* info = nullptr;
  GetErrorInfo(0, &info);
  return info;
}

TEST(ErrorInfoExceptionTest, CapturesAndHandsBackTheThreadObject) {
  IErrorInfo* pending = MakeErrorInfo(L"from the server");
  SetErrorInfo(0, pending);
  ddCOM::ErrorInfo error(E_ACCESSDENIED);
  EXPECT_EQ(TakeThreadError(), nullptr);  // taken over from the thread
  EXPECT_EQ(Take(error.Description()), L"from the server");

  EXPECT_EQ(error.Propagate(kUnregistered), E_ACCESSDENIED);
  IErrorInfo* back = TakeThreadError();
  EXPECT_EQ(back, pending);
  back->Release();
  // The second Propagate has no object left and builds one from the system text.
  EXPECT_EQ(error.Propagate(kUnregistered), E_ACCESSDENIED);
  IErrorInfo* rebuilt = TakeThreadError();
  ASSERT_NE(rebuilt, nullptr);
  EXPECT_NE(rebuilt, pending);
  BSTR description = nullptr;
  rebuilt->GetDescription(&description);
  EXPECT_EQ(Take(description), Take(ddCOM::Exception(E_ACCESSDENIED).Description()));
  rebuilt->Release();
  EXPECT_EQ(pending->Release(), 0u);
}

TEST(ErrorInfoExceptionTest, WithoutObjectUsesTheSystemText) {
  ddCOM::ErrorInfo error(E_FAIL);
  EXPECT_EQ(Take(error.Description()), L"Unspecified error\r\n");
  ddCOM::ErrorInfo explicit_null(E_FAIL, nullptr);
  EXPECT_EQ(Take(explicit_null.Description()), L"Unspecified error\r\n");
}

TEST(ErrorInfoExceptionTest, CopiesShareTheObjectWithCountedReferences) {
  IErrorInfo* info = MakeErrorInfo(L"shared");
  {
    ddCOM::ErrorInfo first(E_FAIL, info);
    ddCOM::ErrorInfo copy = first;
    ddCOM::ErrorInfo assigned(E_POINTER, nullptr);
    assigned = copy;
    const ddCOM::ErrorInfo& self = assigned;
    assigned = self;
    EXPECT_EQ(assigned.HResult(), E_FAIL);
    EXPECT_EQ(Take(assigned.Description()), L"shared");
    info->AddRef();
    EXPECT_EQ(info->Release(), 4u);
  }
  EXPECT_EQ(info->Release(), 0u);
}

}  // namespace
