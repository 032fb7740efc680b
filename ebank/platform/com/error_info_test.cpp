#include "ebank/platform/com/error_info.h"

#include <gtest/gtest.h>

#include <thread>

#include "ebank/platform/com/testing/fake_com_object_for_testing.h"
#include "ebank/platform/oleaut/bstr.h"

namespace {

IErrorInfo* MakeErrorInfo(const wchar_t* description) {
  ICreateErrorInfo* create = nullptr;
  EXPECT_EQ(CreateErrorInfo(&create), S_OK);
  EXPECT_EQ(create->SetDescription(const_cast<wchar_t*>(description)), S_OK);
  IErrorInfo* info = nullptr;
  EXPECT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
  create->Release();
  return info;
}

std::wstring DescriptionOf(IErrorInfo* info) {
  BSTR text = nullptr;
  EXPECT_EQ(info->GetDescription(&text), S_OK);
  std::wstring result = text == nullptr ? L"<null>" : text;
  SysFreeString(text);
  return result;
}

TEST(ErrorInfoTest, StoresWhatItIsGivenAndHandsOutCopies) {
  ICreateErrorInfo* create = nullptr;
  ASSERT_EQ(CreateErrorInfo(&create), S_OK);
  const GUID guid = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
  create->SetGUID(guid);
  create->SetSource(const_cast<wchar_t*>(L"Bank.Server"));
  create->SetHelpFile(nullptr);
  create->SetHelpContext(42);
  IErrorInfo* info = nullptr;
  ASSERT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);

  GUID read_guid{};
  DWORD context = 0;
  BSTR source = nullptr;
  BSTR help_file = reinterpret_cast<BSTR>(1);
  EXPECT_EQ(info->GetGUID(&read_guid), S_OK);
  EXPECT_TRUE(IsEqualGUID(read_guid, guid));
  EXPECT_EQ(info->GetHelpContext(&context), S_OK);
  EXPECT_EQ(context, 42u);
  EXPECT_EQ(info->GetSource(&source), S_OK);
  EXPECT_STREQ(source, L"Bank.Server");
  EXPECT_EQ(info->GetHelpFile(&help_file), S_OK);
  EXPECT_EQ(help_file, nullptr);
  EXPECT_EQ(DescriptionOf(info), L"<null>");
  // Changing the object afterwards leaves the copy handed out untouched.
  create->SetSource(const_cast<wchar_t*>(L"Other"));
  EXPECT_STREQ(source, L"Bank.Server");
  SysFreeString(source);

  EXPECT_EQ(info->GetSource(nullptr), E_INVALIDARG);
  EXPECT_EQ(info->GetGUID(nullptr), E_INVALIDARG);
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(info->QueryInterface(IID_IDispatch, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(CreateErrorInfo(nullptr), E_INVALIDARG);
  info->Release();
  EXPECT_EQ(create->Release(), 0u);
}

TEST(ErrorInfoTest, GetHandsTheObjectOverAndClearsIt) {
  IErrorInfo* taken = reinterpret_cast<IErrorInfo*>(1);
  EXPECT_EQ(GetErrorInfo(0, &taken), S_FALSE);
  EXPECT_EQ(taken, nullptr);

  IErrorInfo* info = MakeErrorInfo(L"first");
  ASSERT_EQ(SetErrorInfo(0, info), S_OK);
  ASSERT_EQ(GetErrorInfo(0, &taken), S_OK);
  EXPECT_EQ(taken, info);
  EXPECT_EQ(GetErrorInfo(0, &taken), S_FALSE);
  // The thread's reference went over to the caller: two are left.
  EXPECT_EQ(info->Release(), 1u);
  EXPECT_EQ(info->Release(), 0u);
}

TEST(ErrorInfoTest, SetReplacesAndNullClears) {
  IErrorInfo* first = MakeErrorInfo(L"first");
  IErrorInfo* second = MakeErrorInfo(L"second");
  SetErrorInfo(0, first);
  SetErrorInfo(0, second);
  EXPECT_EQ(first->Release(), 0u);  // the thread let go of the replaced one
  SetErrorInfo(0, nullptr);
  EXPECT_EQ(second->Release(), 0u);
  IErrorInfo* taken = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &taken), S_FALSE);

  EXPECT_EQ(SetErrorInfo(1, nullptr), E_INVALIDARG);
  EXPECT_EQ(GetErrorInfo(0, nullptr), E_INVALIDARG);
}

TEST(ErrorInfoTest, EachThreadHasItsOwnObjectReleasedAtThreadExit) {
  IErrorInfo* main_info = MakeErrorInfo(L"main");
  SetErrorInfo(0, main_info);

  IErrorInfo* worker_info = MakeErrorInfo(L"worker");
  std::wstring seen_by_worker;
  std::thread worker([&] {
    IErrorInfo* taken = nullptr;
    seen_by_worker = GetErrorInfo(0, &taken) == S_FALSE ? L"none" : L"some";
    SetErrorInfo(0, worker_info);
  });
  worker.join();
  EXPECT_EQ(seen_by_worker, L"none");
  EXPECT_EQ(worker_info->Release(), 0u);  // the worker's reference died with it

  IErrorInfo* taken = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &taken), S_OK);
  EXPECT_EQ(DescriptionOf(taken), L"main");
  taken->Release();
  EXPECT_EQ(main_info->Release(), 0u);
}

}  // namespace
